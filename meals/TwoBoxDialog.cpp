#include "meals/TwoBoxDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Buttons.h"
#include "platform/Guard.h"

namespace pw {

TwoBoxDialog::TwoBoxDialog(Platform& platform, const QString& title, const QString& label1,
                           const QString& label2, const QString& note, QWidget* parent)
    : QDialog(parent), m_platform(platform) {
    setWindowTitle(title);
    setModal(true);
    auto* form = new QFormLayout;
    for (auto [box, caption, name] :
         {std::tuple{&Text1, label1, "Text1"}, std::tuple{&Text2, label2, "Text2"}}) {
        *box = new QLineEdit(this);
        (*box)->setObjectName(QLatin1String(name));
        auto* label = new QLabel(caption, this);
        label->setBuddy(*box);
        (*box)->setAccessibleName(QString(caption).remove(u'&'));
        form->addRow(label, *box);
    }
    lblNote = new QLabel(note, this);
    lblNote->setObjectName(QStringLiteral("lblNote"));
    lblNote->setWordWrap(true);
    lblNote->setVisible(!note.isEmpty());
    cmdOK = makeButton(QStringLiteral("OK"), QString(), this, QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = makeButton(QStringLiteral("Cancel"), QString(), this, QStringLiteral("cmdCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(form);
    outer->addWidget(lblNote);
    outer->addLayout(buttons);
    setTabOrder(Text1, Text2);
    setTabOrder(Text2, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    connectGuarded(m_platform, cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connectGuarded(m_platform, cmdCancel, &QPushButton::clicked, this, [this] { reject(); });
    Text1->setFocus();
}

}  // namespace pw
