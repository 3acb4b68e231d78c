#pragma once

#include <QHash>
#include <QMainWindow>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;
class TEDBEdit;
class TSplashform;

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

    QString CurrentFile;
    QString CurrentOrder;

protected:
    bool event(QEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
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

    void SetMenuOrder(QAction* item);
    void ClearOrderMenuItems();
    void SetCurrentOrder(const QString& tag);

    TSplashform* splash_ = nullptr;
    QString helpFile_;
    int helpTopic_ = 0;
    bool FirstActivation = true;
    QWidget* client_ = nullptr;
    QHash<QString, QAction*> actions_;
    QList<QAction*> sortActions_;
    QList<TEDBEdit*> fieldBoxes_;
};
