#include "frmXlSet.h"

#include "PrintSettings.h"
#include "WorkbookBook.h"
#include "mdM.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/Keys.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

using xlprint::SettingsField;

namespace {

// Up and down arrows beside a box, named after the spin control they stand for.
QWidget* upDown(QWidget* parent, const char* name, QObject* receiver, std::function<void(int)> step) {
    auto* w = new QWidget(parent);
    w->setObjectName(QString::fromLatin1(name));
    auto* v = new QVBoxLayout(w);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    for (const int dir : {1, -1}) {
        auto* b = new QToolButton(w);
        b->setObjectName(QString::fromLatin1(name) +
                         (dir > 0 ? QStringLiteral("Up") : QStringLiteral("Down")));
        b->setArrowType(dir > 0 ? Qt::UpArrow : Qt::DownArrow);
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus); // Tab goes from box to box

        b->setFixedHeight(ui::twipsToPixelsY(150));
        QObject::connect(b, &QToolButton::clicked, receiver, [step, dir] { step(dir); });
        v->addWidget(b);
    }
    return w;
}

// A number box stepped within min..max; text that is no number steps from min.
void stepNumber(QLineEdit* box, int step, int min, int max) {
    bool ok = false;
    const int v = box->text().trimmed().toInt(&ok);
    box->setText(QString::number(ok ? qBound(min, v + step, max) : min));
}

} // namespace

frmXlSet::frmXlSet() {
    setObjectName(QStringLiteral("frmXlSet"));
    setWindowTitle(QStringLiteral("列印設定"));

    auto* Frame2 = new QGroupBox(QStringLiteral("輸出範圍"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto* g2 = new QGridLayout(Frame2);
    Text3 = ui::textBox(Frame2, "Text3");
    txtRow = ui::textBox(Frame2, "txtRow");
    txtPr = ui::textBox(Frame2, "txtPr");
    g2->addWidget(new QLabel(QStringLiteral("起始行："), Frame2), 0, 0);
    g2->addWidget(Text3, 0, 1);
    g2->addWidget(upDown(Frame2, "UpDown2", this, [this](int s) { UpDown2_Change(s); }), 0, 2);
    g2->addWidget(new QLabel(QStringLiteral("起始列："), Frame2), 1, 0);
    g2->addWidget(txtRow, 1, 1);
    g2->addWidget(upDown(Frame2, "UpDown1", this, [this](int s) { UpDown1_Change(s); }), 1, 2);
    g2->addWidget(new QLabel(QStringLiteral("每一頁列數:"), Frame2), 2, 0);
    g2->addWidget(txtPr, 2, 1);
    g2->addWidget(upDown(Frame2, "UpDown3", this, [this](int s) { UpDown3_Change(s); }), 2, 2);

    auto* Frame1 = new QGroupBox(QStringLiteral("頁面範圍"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* g1 = new QGridLayout(Frame1);
    txtLU = ui::textBox(Frame1, "txtLU");
    txtRD = ui::textBox(Frame1, "txtRD");
    g1->addWidget(new QLabel(QStringLiteral("左上:"), Frame1), 0, 0);
    g1->addWidget(txtLU, 0, 1);
    g1->addWidget(new QLabel(QStringLiteral("右下:"), Frame1), 1, 0);
    g1->addWidget(txtRD, 1, 1);

    ckf = new QCheckBox(QStringLiteral("固定頁首"), this);
    ckf->setObjectName(QStringLiteral("ckf"));
    Command1 = ui::button(this, "Command1", QStringLiteral("套用"));
    Command2 = ui::button(this, "Command2", QStringLiteral("離開"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame2);
    layout->addWidget(Frame1);
    layout->addWidget(ckf);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    layout->addLayout(buttons);
    resize(ui::twipsToPixelsX(3600), ui::twipsToPixelsY(4200));

    // Enter moves on to the next box, and applies from the last one.
    for (QLineEdit* box : {Text3, txtRow, txtPr, txtLU})
        ui::enterAsTab(box);
    connect(txtRD, &QLineEdit::returnPressed, this, &frmXlSet::Command1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmXlSet::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmXlSet::Command2_Click);
    // Escape leaves as 離開 does.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &frmXlSet::Command2_Click);
}

void frmXlSet::Form_Load() {
    const xlprint::PrintSettings s = xlprint::loadPrintSettings();
    txtLU->setText(s.topLeft);
    txtRD->setText(s.bottomRight);
    txtRow->setText(s.startRow);
    Text3->setText(s.startCol);
    txtPr->setText(s.rowsPerPage);
    ckf->setChecked(s.fixedHeader);
}

void frmXlSet::UpDown1_Change(int step) {
    stepNumber(txtRow, step, 1, 65535);
}

void frmXlSet::UpDown3_Change(int step) {
    stepNumber(txtPr, step, 1, 65535);
}

void frmXlSet::UpDown2_Change(int step) {
    const QString t = Text3->text().trimmed();
    const int code = t.size() == 1 && t.at(0) >= u'A' && t.at(0) <= u'Z' ? t.at(0).unicode() : 'A' - step;
    Text3->setText(QString(QChar(char16_t(qBound<int>('A', code + step, 'Z')))));
}

void frmXlSet::Command1_Click() {
    xlprint::PrintSettings s;
    s.startRow = txtRow->text();
    s.startCol = Text3->text();
    s.topLeft = txtLU->text();
    s.bottomRight = txtRD->text();
    s.rowsPerPage = txtPr->text();
    s.fixedHeader = ckf->isChecked();
    // What no print could use is refused, naming the box.
    xlprint::SettingsProblem problem = xlprint::checkSettings(s);
    // The data rows of every page against the templates the prints offer.
    if (const std::optional<xlprint::Geometry> g = xlprint::geometryOf(s))
        problem = xlprint::judgeTemplates(*g, mdM::TemplateFolder);
    const SettingsField bad = problem.field;
    if (bad != SettingsField::None) {
        ui::msgBox(problem.reason);
        QLineEdit* box = bad == SettingsField::StartRow      ? txtRow
                         : bad == SettingsField::StartCol    ? Text3
                         : bad == SettingsField::TopLeft     ? txtLU
                         : bad == SettingsField::BottomRight ? txtRD
                                                             : txtPr;
        box->setFocus();
        box->selectAll();
        return;
    }
    QString error;
    if (!xlprint::writePrintSettings(s, &error)) {
        ui::msgBox(QStringLiteral("列印設定沒有儲存，列印仍用原來的設定。\n") + error, ui::Buttons::OK,
                   ui::Icon::Exclamation);
        return;
    }
    xlprint::setCurrentPrintSettings(s);
}

void frmXlSet::Command2_Click() {
    unload();
}
