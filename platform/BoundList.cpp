#include "platform/BoundList.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace pw {

namespace {

// Keys that produce no text of their own but shape the letter typed next.
bool isTypingModifier(int key) {
    switch (key) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Meta:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_CapsLock:
        case Qt::Key_NumLock:
        case Qt::Key_ScrollLock:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
        case Qt::Key_Hyper_L:
        case Qt::Key_Hyper_R:
        case Qt::Key_Mode_switch:
        case Qt::Key_Multi_key:
            return true;
        default:
            // Dead keys (an accent waiting for its letter).
            return key >= Qt::Key_Dead_Grave && key <= Qt::Key_Dead_Longsolidusoverlay;
    }
}

}  // namespace

// The rows' texts, read-only.
class TextListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void setTexts(TextColumn texts) {
        beginResetModel();
        m_texts = std::move(texts);
        endResetModel();
    }
    const TextColumn& texts() const { return m_texts; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : int(m_texts.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= m_texts.size()) return {};
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
            return m_texts.at(index.row());
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid()) return Qt::NoItemFlags;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    }

private:
    TextColumn m_texts;
};

BoundList::BoundList(QWidget* parent) : QListView(parent), m_model(new TextListModel(this)) {
    setModel(m_model);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::StrongFocus);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                emit currentRowChanged(current.isValid() ? current.row() : -1);
            });
    // The view reports no click for the release that ends a double click.
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) emit itemClicked();
    });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) emit itemDoubleClicked();
    });
}

BoundList::~BoundList() = default;

void BoundList::setTextSource(std::function<TextColumn()> source) { m_source = std::move(source); }

void BoundList::refill() {
    if (m_source) setTexts(m_source());
}

void BoundList::setTexts(const QStringList& texts) { setTexts(TextColumn(texts)); }

void BoundList::setTexts(TextColumn texts) {
    const bool hadRow = currentRow() >= 0;
    m_model->setTexts(std::move(texts));
    resetKeyboardSearch();
    // A model reset drops the current row without telling the selection model's watchers.
    if (hadRow) emit currentRowChanged(-1);
}

int BoundList::count() const { return m_model->rowCount(); }

QString BoundList::rowText(int row) const {
    return (row >= 0 && row < count()) ? m_model->texts().at(row) : QString();
}

int BoundList::currentRow() const {
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !selectionModel()->isSelected(current)) return -1;
    return current.row();
}

QString BoundList::text() const { return rowText(currentRow()); }

void BoundList::setCurrentRow(int row) {
    if (row < 0 || row >= count()) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = m_model->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

int BoundList::rowOf(const QString& text) const { return int(m_model->texts().indexOf(text)); }

int BoundList::findFirst(const QString& prefix) const {
    // Rows come in the cursor's order, whose collation need not be ours, so a scan it is:
    // well under a millisecond for the whole food table.
    return int(m_model->texts().firstStartingWith(prefix));
}

void BoundList::resetKeyboardSearch() {
    m_typed.clear();
    m_typedAt.invalidate();
}

void BoundList::keyboardSearch(const QString& search) {
    if (search.isEmpty()) {
        resetKeyboardSearch();
        return;
    }
    if (!m_typedAt.isValid() || m_typedAt.elapsed() > QApplication::keyboardInputInterval())
        m_typed.clear();
    m_typedAt.start();
    m_typed += search;
    // Always the first row with the typed beginning, wherever the selection is; when the
    // letters so far begin no row, the selection stays.
    const int row = findFirst(m_typed);
    if (row >= 0) setCurrentRow(row);
}

void BoundList::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && currentRow() >= 0) {
        resetKeyboardSearch();
        emit enterPressed();
        event->accept();
        return;
    }
    // Moving by other keys ends a typed search; a key that only shifts or composes the next
    // letter (Shift for a capital, Caps Lock, AltGr, a dead accent) is part of typing.
    if (event->text().isEmpty() && !isTypingModifier(key)) resetKeyboardSearch();
    QListView::keyPressEvent(event);
}

void BoundList::mousePressEvent(QMouseEvent* event) {
    resetKeyboardSearch();
    QListView::mousePressEvent(event);
}

void BoundList::focusOutEvent(QFocusEvent* event) {
    resetKeyboardSearch();
    QListView::focusOutEvent(event);
}

}  // namespace pw
