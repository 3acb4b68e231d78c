#pragma once

#include "exchange/field_match.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QPushButton;
class QTableWidget;

// The dialog in which the user says which source column feeds which address field: a sample of
// the source for reference, and a grid with one row per offered address field and the source
// column beside it. "&Select Field" (or a double-click on a row) pops up "(none)" and the
// columns that may feed the row, the row's own ticked; a column chosen leaves every other row.
// "Ok" accepts the matching; "Cancel" leaves it as it was.
class TFieldMatchBase : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        QString caption;
        int helpTopic = 0;
        QString sampleGridName; // "SG" or "SourceGrid"
        QString sampleTitle;    // the sample's caption
        QString fileName;       // shown in the match grid's second title
        std::vector<exchange::OfferedField> rows;
        QStringList sources;                          // the source columns' names
        std::vector<std::vector<std::string>> sample; // UTF-8 values, a row per record
        std::vector<int> sampleWidths; // pixels of each sample column; empty: the grid's own
        // Whether a source may feed a row; empty: any.
        std::function<bool(int row, int source)> fits;
    };
    TFieldMatchBase(Setup setup, const exchange::FieldMatch& match, QWidget* parent = nullptr);

    const exchange::FieldMatch& match() const { return match_; }

    QTableWidget* SampleGrid = nullptr;
    QTableWidget* ImportGrid = nullptr;
    QPushButton* SelectFieldButton = nullptr;
    QPushButton* ClearCurrentButton = nullptr;
    QPushButton* ClearAllButton = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;

private:
    void SelectFieldClick();
    void showMatch();

    Setup setup_;
    exchange::FieldMatch match_;
};

// "ASCII File Import Match Fields".
class TAsciiMatch : public TFieldMatchBase {
    Q_OBJECT
public:
    using TFieldMatchBase::TFieldMatchBase;
    static constexpr int HelpTopic = 1024;
};

// "DBF File Import Match Fields", also for the fields of a vCard.
class TDBFMatch : public TFieldMatchBase {
    Q_OBJECT
public:
    using TFieldMatchBase::TFieldMatchBase;
    static constexpr int HelpTopic = 1021;
};
