#pragma once
// The main menu bar: a narrow always-on-top bar whose buttons open the program's windows as the
// user's rights word allows; it folds to a thin strip and ends the program.
#include "ui/Forms.h"

class QPushButton;

class frmMenu : public ui::Form {
    Q_OBJECT
public:
    frmMenu();

    // Height of the bar in twips: kUnfoldedHeight, or kFoldedHeight while folded.
    static constexpr int kUnfoldedHeight = 615;
    static constexpr int kFoldedHeight = 10;
    int heightTwips() const { return m_heightTwips; }
    // Enables the buttons the logged-in user's rights word grants (at load and for a new session).
    void EnableButtons();

public slots:
    void cmdQ_Click();     // quotation editor frmQ, maximised
    void cmdC_Click();     // customers frmCus
    void cmdP_Click();     // vendors frmPrv
    void cmdSt_Click();    // staff frmSta
    void cmdSa_Click();    // construction data frmEng, maximised
    void cmdPws_Click();   // settings frmSet
    void Command2_Click(); // fold or unfold
    void Command1_Click(); // exit

protected:
    void Form_Load() override;
    bool Form_QueryUnload() override;
    void Form_Unload() override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void LoadAutoSaveSettings();
    // The mouse over a button of the folded bar unfolds it.
    void Button_MouseMove();
    void setHeightTwips(int twips);

    QPushButton* cmdQ = nullptr;
    QPushButton* cmdC = nullptr;
    QPushButton* cmdP = nullptr;
    QPushButton* cmdSt = nullptr;
    QPushButton* cmdSa = nullptr;
    QPushButton* cmdPws = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;
    int m_heightTwips = kUnfoldedHeight;
};
