#include "platform/TwipsLayout.h"

#include <QLineEdit>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "platform/TextFit.h"
#include "platform/Twips.h"

namespace pw {

namespace {

constexpr double kGrowthStep = 0.025;
// Beyond four times its design a form has stopped being the design: texts that need more are
// left to their controls (a word-wrapped caption then loses its last lines).
constexpr double kMostGrowth = 4;

}  // namespace

TwipsLayout::TwipsLayout(QWidget& form, int clientWidth, int clientHeight)
    : m_form(form), m_client(clientWidth, clientHeight) {}

TwipsLayout::Item& TwipsLayout::item(QWidget* control) {
    for (Item& i : m_items)
        if (i.control == control) return i;
    return m_items.emplace_back(Item{control, QRect(), false, QString()});
}

void TwipsLayout::place(QWidget* control, int left, int top, int width, int height) {
    item(control).design = QRect(left, top, width, height);
    apply();
}

void TwipsLayout::move(QWidget* control, int left, int top) {
    item(control).design.moveTo(left, top);
    apply();
}

void TwipsLayout::horizontalLine(QWidget* line, int left, int right, int top) {
    Item& i = item(line);
    i.design = QRect(left, top, right - left, 0);
    i.line = true;
    apply();
}

void TwipsLayout::reserve(QLineEdit* box, const QString& sample) { item(box).sample = sample; }

int TwipsLayout::x(double twips) const {
    return twipsToPixelsX(m_form, static_cast<int>(std::lround(twips * m_growthX)));
}

int TwipsLayout::y(double twips) const {
    return twipsToPixelsY(m_form, static_cast<int>(std::lround(twips * m_growthY)));
}

void TwipsLayout::apply() {
    // Edges are grown, not sizes, so that controls designed edge to edge stay so.
    for (const Item& i : m_items) {
        const QRect& d = i.design;
        const int left = x(d.left());
        const int width = x(d.left() + d.width()) - left;
        if (i.line) {
            i.control->setGeometry(left, y(d.top()) - 1, width, 3);
            continue;
        }
        const int top = y(d.top());
        i.control->setGeometry(left, top, width, y(d.top() + d.height()) - top);
    }
}

void TwipsLayout::fit() {
    m_growthX = 1;
    m_growthY = 1;
    for (;;) {
        apply();
        if (onPlaced) onPlaced();
        bool wide = true;
        bool tall = true;
        auto measure = [&](const TextRoom& room) {
            wide = wide && room.wideEnough();
            tall = tall && room.tallEnough();
        };
        for (const Item& i : m_items) {
            if (i.line || !i.control->isVisibleTo(&m_form)) continue;
            if (const std::optional<TextRoom> room = textRoom(*i.control)) measure(*room);
            if (const auto* box = qobject_cast<const QLineEdit*>(i.control);
                box && !i.sample.isEmpty())
                measure(textRoom(*box, i.sample));
        }
        const bool growX = !wide && m_growthX < kMostGrowth;
        const bool growY = !tall && m_growthY < kMostGrowth;
        if (!growX && !growY) break;
        if (growX) m_growthX = std::min(kMostGrowth, m_growthX + kGrowthStep);
        if (growY) m_growthY = std::min(kMostGrowth, m_growthY + kGrowthStep);
    }
    m_form.setFixedSize(x(m_client.width()), y(m_client.height()));
}

}  // namespace pw
