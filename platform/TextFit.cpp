#include "platform/TextFit.h"

#include <QAbstractTextDocumentLayout>
#include <QCheckBox>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTextBoundaryFinder>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <cmath>

#include "platform/RichTextBox.h"

namespace pw {

namespace {

// QLineEdit keeps this much blank beside its text and over and under it.
constexpr int kLineEditMarginX = 2;
constexpr int kLineEditMarginY = 1;

QSize ceilSize(const QSizeF& size) {
    return {static_cast<int>(std::ceil(size.width())), static_cast<int>(std::ceil(size.height()))};
}

std::optional<TextRoom> labelRoom(const QLabel& label) {
    const QString text = label.text();
    if (text.isEmpty()) return std::nullopt;
    const int m = label.margin();
    const QRect rect = label.contentsRect().adjusted(m, m, -m, -m);
    const bool rich = label.textFormat() == Qt::RichText ||
                      (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    QSize needed;
    if (rich) {
        QTextDocument document;
        document.setDefaultFont(label.font());
        document.setDocumentMargin(0);
        document.setHtml(text);
        if (label.wordWrap()) document.setTextWidth(rect.width());
        needed = ceilSize({document.idealWidth(), document.size().height()});
    } else {
        int flags = int(label.alignment()) | Qt::TextExpandTabs;
        if (label.wordWrap()) flags |= Qt::TextWordWrap;
        // A label with a buddy shows its "&" as an underlined access key.
        if (label.buddy()) flags |= Qt::TextShowMnemonic;
        needed = label.fontMetrics().boundingRect(rect, flags, text).size();
    }
    return TextRoom{text, needed, rect.size()};
}

std::optional<TextRoom> buttonRoom(const QAbstractButton& button) {
    const QString text = button.text();
    if (text.isEmpty()) return std::nullopt;
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = text;
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    int flags = Qt::TextShowMnemonic;
    if (qobject_cast<const QRadioButton*>(&button)) {
        contents = QStyle::SE_RadioButtonContents;
        flags |= Qt::AlignLeft | Qt::AlignVCenter;
    } else if (qobject_cast<const QCheckBox*>(&button)) {
        contents = QStyle::SE_CheckBoxContents;
        flags |= Qt::AlignLeft | Qt::AlignVCenter;
    } else if (const auto* push = qobject_cast<const QPushButton*>(&button)) {
        flags |= Qt::AlignCenter;
        if (push->autoDefault() || push->isDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        if (push->isDefault()) option.features |= QStyleOptionButton::DefaultButton;
        if (push->isFlat()) option.features |= QStyleOptionButton::Flat;
    } else {
        return std::nullopt;
    }
    const QRect rect = button.style()->subElementRect(contents, &option, &button);
    return TextRoom{text, button.fontMetrics().boundingRect(rect, flags, text).size(), rect.size()};
}

std::optional<TextRoom> documentRoom(const QTextEdit& edit) {
    // The document viewers, and the boxes that always show a scroll bar, scroll by design.
    if (qobject_cast<const RichTextBox*>(&edit)) return std::nullopt;
    if (edit.verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn) return std::nullopt;
    QTextDocument* document = edit.document();
    if (document->isEmpty()) return std::nullopt;
    // A wrapped document is as wide as the box; only an unbreakable line makes it wider.
    return TextRoom{document->toPlainText(), ceilSize(document->size()), edit.viewport()->size()};
}

}  // namespace

TextRoom textRoom(const QLineEdit& box, const QString& text) {
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.lineWidth =
        box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    QRect rect = box.style()->subElementRect(QStyle::SE_LineEditContents, &option, &box);
    rect = rect.marginsRemoved(box.textMargins());
    rect.adjust(kLineEditMarginX, kLineEditMarginY, -kLineEditMarginX, -kLineEditMarginY);
    const QFontMetrics metrics = box.fontMetrics();
    // The text cursor stands after the last character.
    const QSize needed(metrics.horizontalAdvance(text) + 1, metrics.height());
    return TextRoom{text, needed, rect.size()};
}

std::optional<TextRoom> textRoom(const QWidget& control) {
    if (const auto* label = qobject_cast<const QLabel*>(&control)) return labelRoom(*label);
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control))
        return buttonRoom(*button);
    if (const auto* box = qobject_cast<const QLineEdit*>(&control)) {
        const QString text = box->text().isEmpty() ? box->placeholderText() : box->displayText();
        if (text.isEmpty()) return std::nullopt;
        return textRoom(*box, text);
    }
    if (const auto* edit = qobject_cast<const QTextEdit*>(&control)) return documentRoom(*edit);
    return std::nullopt;
}

QString clippedText(const QWidget& control) {
    const std::optional<TextRoom> room = textRoom(control);
    if (!room || room->fits()) return QString();
    const QString name = control.objectName().isEmpty()
                             ? QString::fromLatin1(control.metaObject()->className())
                             : control.objectName();
    QString text = room->text;
    if (text.size() > 60) text = text.left(57) + QStringLiteral("...");
    return QStringLiteral("%1: \"%2\" needs %3x%4, has %5x%6")
        .arg(name, text)
        .arg(room->needed.width())
        .arg(room->needed.height())
        .arg(room->available.width())
        .arg(room->available.height());
}

void showWholeText(QTextEdit* box) {
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setMaximumHeight(QWIDGETSIZE_MAX);
    QObject::connect(box->document()->documentLayout(),
                     &QAbstractTextDocumentLayout::documentSizeChanged, box,
                     [box](const QSizeF& size) {
                         const int frame = box->height() - box->viewport()->height();
                         box->setMinimumHeight(static_cast<int>(std::ceil(size.height())) +
                                               std::max(frame, 2 * box->frameWidth()));
                     });
}

namespace {

// Asks for the height of a wrapped label's lines each time its width changes.
class LinesFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            auto* label = static_cast<QLabel*>(watched);
            const int m = label->margin();
            const int width = label->contentsRect().width() - 2 * m;
            const int lines =
                label->fontMetrics()
                    .boundingRect(QRect(0, 0, width, QWIDGETSIZE_MAX),
                                  Qt::TextWordWrap | int(label->alignment()), label->text())
                    .height();
            label->setMinimumHeight(lines + label->height() - label->contentsRect().height() +
                                    2 * m);
        }
        return false;
    }
};

}  // namespace

QString brokenIntoLines(const QString& text, const QFontMetrics& fm, int width, int mostLines) {
    mostLines = std::max(1, mostLines);
    QStringList lines;
    QString line;
    const auto fits = [&](const QString& t) { return fm.horizontalAdvance(t) <= width; };
    const auto full = [&] { return lines.size() > mostLines; };
    for (const QString& word : text.split(QLatin1Char(' '))) {
        const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (fits(candidate)) {
            line = candidate;
            continue;
        }
        if (!line.isEmpty()) lines << line;
        line.clear();
        // A word longer than a line is broken between its characters (never inside one).
        QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, word);
        for (qsizetype from = 0; from < word.size() && !full();) {
            qsizetype to = characters.toNextBoundary();
            while (to != -1 && fits(word.mid(from, to - from))) to = characters.toNextBoundary();
            if (to == -1) {
                line = word.mid(from);
                break;
            }
            const qsizetype end = characters.toPreviousBoundary();
            const qsizetype cut = end > from ? end : to;  // at least one character a line
            lines << word.mid(from, cut - from);
            characters.setPosition(cut);
            from = cut;
        }
        if (full()) break;
    }
    if (!full()) lines << line;
    if (lines.size() <= mostLines) return lines.join(QLatin1Char('\n'));
    // The last line shown: as much of the rest as fits, then "…".
    QString last = lines[mostLines - 1];
    while (!fits(last + QChar(0x2026)) && !last.isEmpty()) {
        last.chop(1);
        if (!last.isEmpty() && last.back().isHighSurrogate()) last.chop(1);
    }
    lines = lines.mid(0, mostLines - 1);
    lines << last + QChar(0x2026);
    return lines.join(QLatin1Char('\n'));
}

void showAllLines(QLabel* label) { label->installEventFilter(new LinesFilter(label)); }

void openAtSize(QWidget& window, QSize preferred) {
    // Room for a window's frame and title bar, and beside it for a desktop panel.
    constexpr QSize kFrameAllowance(8, 32);
    constexpr QSize kPanelAllowance(20, 60);
    if (const QScreen* screen = window.screen())
        preferred = preferred.boundedTo(screen->availableGeometry().size() - kPanelAllowance -
                                        kFrameAllowance);
    window.resize(preferred.expandedTo(window.minimumSizeHint()));
}

}  // namespace pw
