#include "frmAddw.h"

#include "ui/Controls.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kCountCaption = QStringLiteral("總共加入");
}

frmAddw::frmAddw() {
    setObjectName(QStringLiteral("frmAddw"));
    setWindowTitle(QStringLiteral("品名加入"));
    auto* v = new QVBoxLayout(this);
    lstW = new QListWidget(this);
    lstW->setObjectName(QStringLiteral("lstW"));
    Label1 = new QLabel(QStringLiteral("以上品名已經存在資料庫中"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    lb2 = new QLabel(kCountCaption, this);
    lb2->setObjectName(QStringLiteral("lb2"));
    Command1 = ui::button(this, "Command1", QStringLiteral("確定"));
    v->addWidget(lstW);
    v->addWidget(Label1);
    v->addWidget(lb2);
    v->addWidget(Command1);
    connect(Command1, &QPushButton::clicked, this, &frmAddw::Command1_Click);
}

void frmAddw::Form_Load() {
    lstW->clear();
}

void frmAddw::showResult(const QStringList& existing, int added) {
    lstW->clear();
    lstW->addItems(existing);
    lb2->setText(kCountCaption + QString::number(added) + QStringLiteral("筆"));
    show();
    raise();
}

void frmAddw::Command1_Click() {
    unload();
}
