#pragma once
// The vendor window: the record frame with the supply categories, the vendor's work crews and
// materials, the supply filters and the links editor.
#include "RecordWindow.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QListWidget;
class QPushButton;

class frmPrv : public records::RecordWindow {
    Q_OBJECT
public:
    frmPrv();

    QString selectedName() const override;
    void setSelectedName(const QString& name) override;

public slots:
    void cbW_Click();
    void cbP_Click();
    // A category box changed, by mouse or keyboard.
    void ck_Toggled(int index);
    void cmW_Click();
    void cmP_Click();

protected:
    void Form_Load() override;
    void afterShow(const records::BoxValues& values) override;
    void afterAdd() override;
    void afterEditLoaded(const records::BoxValues& values) override;
    void afterClear() override;
    void afterFailedRead(const QString& failure) override;
    void setExtraEnabled(bool enabled) override;
    void readFiltersAgain() override;

private:
    void ListBySupplyOrWork();
    void loadFilter(QComboBox* cb, const QString& sql, const QString& prompt);
    // The work-crew and material filters.
    void loadFilters();
    // Shows the links of one category when its box is checked (0 work crews, 1 materials).
    void showLinks(int index);
    // Reads the links of one category into its list; a failure leaves it empty and its commands off.
    void readLinks(int index);
    // A list that could not be read (`failure` says why) is empty, says why, and is neither cleared
    // through its box nor edited.
    void markLinksRead(int index, const QString& failure);
    void editLinks(int index);

    QComboBox* cbW = nullptr;
    QComboBox* cbP = nullptr;
    QCheckBox* ck[2] = {};
    QGroupBox* Fm[2] = {}; // Fm1, Fm2
    QListWidget* Lists[2] = {}; // Lw, Lp
    QPushButton* cmLinks[2] = {}; // cmW, cmP
    QGroupBox* Frame2 = nullptr;
};
