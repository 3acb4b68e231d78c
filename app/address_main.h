#pragma once

#include "app/preferences.h"
#include "app/shown_record_count.h"
#include "data/data_source.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "select/address_query_form.h"
#include "select/query_criteria.h"

#include <QHash>
#include <QMainWindow>
#include <QSet>

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QDialog;
class TEDBEdit;
class TImportBase;
class TSplashform;

namespace utilities {
struct TagHooks;
}

// The main window: one record of the open address file as a form, with a toolbar, a menu,
// record navigation and a status line. Until a file is open it shows only the NoData text.
class TAddressMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TAddressMain(QWidget* parent = nullptr);

    // The splash window to close when this window first activates (not owned).
    void setSplash(TSplashform* splash) { splash_ = splash; }

    bool firstActivation() const { return FirstActivation; }
    // Menu item by handler name ("OpenFileMenuClick"), for the handlers and for tests.
    QAction* menuAction(const QString& handler) const { return actions_.value(handler); }
    QList<QAction*> sortActions() const { return sortActions_; }
    QList<TEDBEdit*> fieldBoxes() const { return fieldBoxes_; }
    // How many times the status line counted the records the query admits.
    int recordCountsTaken() const { return shownCount_.countsTaken(); }

    static constexpr int FormWidth = 610;
    static constexpr int FormHeight = 450;
    static constexpr int MainHelpTopic = 1029;

    // Controls, named as everywhere in the program.
    QFrame* Panel1 = nullptr;
    QFrame* NamePanel = nullptr;
    QStackedWidget* Notebook = nullptr;
    QTabBar* TabSet = nullptr;
    QLabel* FilterStatus = nullptr;
    QFrame* Panel5 = nullptr;
    QLabel* NoData = nullptr;
    QPlainTextEdit* MemoEdit = nullptr;
    QCheckBox* TaggedCheck = nullptr;
    QPushButton* FindNextButton = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* ClearFilterButton = nullptr;

    // The open address file and the objects that reach it.
    data::TTable TableCVW;
    data::TDataSource DataSourceCVW;
    data::TXbEngine Engine1;
    // Used only to create new address files.
    data::TTable TAbleCreate;
    data::TDataSource DataSourceCreate;
    data::TXbEngine EngineCreate;

    QString CurrentFile;
    QString CurrentOrder;
    bool IndexValid = false;
    bool FollowTableEvents = true;
    bool MemoEditArmed = false;
    // The filter's criteria as typed, and the expression last built from them.
    selection::QueryVars Criteria;
    QString QueryString;
    QString GlobalTagId;
    QString MemoSearchText;
    bool MemoFound = false;

    AddingPreferences Adding;
    void LoadPreferences();
    void SaveTagPref();
    void UpdateMRUList(const QString& path);
    void UpdateMenuMRUList();
    void MRUITemClick(const QString& path);
    void Prefences1Click();

    void OpenCVWDBF(const QString& path);
    void OpenFileMenuClick();
    void NewFileMenuClick();
    void RebuildIndexesMenuClick();
    void RebuildSystemFileindexesmnuClick();
    void AddButtonClick();
    void EditButtonClick();
    void EditFieldClick();
    void SaveButtonClick();
    void CancelButtonClick();
    void DeleteButtonClick();
    void mnuCloneClick();
    void DateLabelClick();
    bool CheckDupName(const QString& first, const QString& last);
    std::pair<QString, QString> FillCityState(const QString& zip);
    // City and state of the ZIP from the shipped US ZIP code table, the city in the letter
    // case the file's cities mostly have; nothing when the table does not hold the ZIP or
    // cannot be used (said once).
    std::pair<QString, QString> CityStateFromZipTable(const QString& zip);
    void RecordFirstClick();
    void RecordPrevClick();
    void RecordNextClick();
    void RecordLastClick();
    void SetButtons();
    void UpdateFilterStatus();
    // Builds the filter from the criteria and makes it the table's query; answers the number
    // of matches (0 without a filter or when nothing matched).
    unsigned ApplyQuery();
    void FilterButtonClick();
    // "Clear Filter": no criteria, every record not deleted, the first record.
    void ClearFilter();
    void mnuSaveFilterClick();
    void SaveFilterTo(const QString& path);
    void mnuRestoreFilterClick();
    void RestoreFilterFrom(const QString& path);
    void SetCurrentOrder(const QString& tag);
    // The system's short date pattern ("mm/dd/yyyy" and the like).
    static QString ShortDatePattern();

    // Import and export.
    void mnuImportASCIIClick();
    void mnuImportDBFClick();
    void mnuImportVCardClick();
    void ImportfromCorvaneClick();
    void CopyRecordsOutMnuClick();

    void SearchButtonClick();
    void BrowseButtonClick();
    void SearchMemoButtonClick();
    void SearchMemoNextButtonClick();
    void FindTextInMemo(bool fromFirst);

    // Damage the table met: noted, and said once per opened file, with how to mend it, once
    // the move that met it has ended.
    void NoteDamage(const QString& what);
    void ReportDamage();

    // Both dial buttons: the pressed one says which phone number is dialled.
    void DialButtonClick(const QPushButton* pressed);
    void ToClipboard1Click();

    void ToggleTag();
    void ClearTags1Click();
    void mnuTagAllFilterMatchesClick();
    void SetMenuOrder(QAction* item);
    // "Print Le&tters" and the "Letters" button.
    void LettersMenuClick();

    // The Utilities menu.
    void CheckState1Click();
    void DuplicatesReport1Click();
    void CaseConversion1Click();
    void DeleteRecords1Click();
    void SearchReplaceFieldValues1Click();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void runStartUp();
    void installShippedTables();
    void installSampleLetters();
    void buildToolbar(QWidget* client);
    void buildNamePanel(QWidget* client);
    void buildPages(QWidget* client);
    void buildBottomPanel(QWidget* client);
    void buildMenus();
    QAction* addMenuItem(QMenu* menu, const QString& caption, const QString& handler,
                         const QKeySequence& shortcut = {});
    TEDBEdit* addFieldBox(QWidget* parent, const QString& label, const QString& field, int x, int y,
                          int labelWidth, int editWidth);
    QPushButton* addButton(QWidget* parent, const QString& caption, const QString& name,
                           const QRect& geometry);
    void showNoData(bool show);

    void ClearOrderMenuItems();
    utilities::TagHooks tagHooks();
    void beginUtility();
    void endUtility();
    void runFilterUtility(const std::function<std::unique_ptr<QDialog>()>& make);
    selection::FilterFormLayout filterFormLayout() const;
    void ReapplyWhenEmpty();
    void setupDataObjects();
    void bindControls();
    void showRecord();
    bool OpenCVWFile(const QString& path);
    void OnOpenCVWFile(bool opened);
    bool needsOpenFile();
    // Runs an import dialog on the address file reopened for it alone, and opens the file again
    // in this window afterwards.
    void runExclusiveImport(TImportBase& dialog);
    void connectMenus();
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A control of this window itself: not a menu, the menu bar or a popup of its own.
    bool isWindowControl(const QObject* object) const;

    TSplashform* splash_ = nullptr;
    QString helpFile_;
    int helpTopic_ = 0;
    bool FirstActivation = true;
    bool startingUp_ = false;
    QWidget* client_ = nullptr;
    QHash<QString, QAction*> actions_;
    QList<QAction*> sortActions_;
    QList<QAction*> mruActions_;
    QList<TEDBEdit*> fieldBoxes_;
    // Handlers whose functions are built; menu items of the others stay disabled.
    QSet<QString> built_;
    bool showingRecord_ = false;
    bool damageReported_ = false;
    bool zipTableProblemSaid_ = false;
    QString pendingDamage_;
    // A rebuild mends what was noted before it; a new file starts with nothing said.
    void forgetDamage(bool newFile);
    // The memo box tells when the record's memo cannot be read.
    void showMemoState();
    ShownRecordCount shownCount_;
    // Where the last filter file was saved.
    QString filterFolder_;
};
