#pragma once

#include <QMainWindow>

#include <memory>

class DataGrid;
class QAction;
class QColor;
class QLabel;
class QMenu;
class QSettings;
class QSplitter;
class QStatusBar;
class QToolBar;

// The main window: the groups of the current logical database on the left, the members of the selected group on
// the right, and every command of the program.
class TMain_Form : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr QSize DesignSize{798, 538};

    explicit TMain_Form(QWidget* parent = nullptr);
    ~TMain_Form() override;

    // Shows the window in the state its saved placement asks for.
    void showPlaced();
    void setDatabaseTitle(const QString& dbName);

    void OpenGroupList();
    void OpenMenList();

    QAction* NewDB = nullptr;
    QAction* OpenDB = nullptr;
    QAction* Exit = nullptr;
    QAction* GroupAdd_Action = nullptr;
    QAction* GroupEdit_Action = nullptr;
    QAction* GroupDel_Action = nullptr;
    QAction* AddTest = nullptr;
    QAction* EditTest = nullptr;
    QAction* DelTest = nullptr;
    QAction* SeekTest = nullptr;
    QAction* BeginTest = nullptr;
    QAction* InputDataTest_Action = nullptr;
    QAction* ResultTest = nullptr;
    QAction* Option = nullptr;
    QAction* Help = nullptr;
    QAction* InternetHelp = nullptr;
    QAction* About = nullptr;

    DataGrid* Group_Grid = nullptr;
    DataGrid* Data_Grid = nullptr;
    QSplitter* Splitter1 = nullptr;
    QStatusBar* Koltra_StatusBar = nullptr;
    QMenu* Group_PopupMenu = nullptr;
    QMenu* Data_PopupMenu = nullptr;

    qint32 FFirstColor = 0;
    qint32 FSecondColor = 0;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createLists();
    void createPopupMenus();
    void connectCommands();
    void FormCreate();
    void FormClose();

    void Group_DataSourceDataChange();
    void Men_DataSourceDataChange();
    void Group_GridTitleBtnClick(int column);
    void Data_GridTitleBtnClick(int column);
    void Group_GridDblClick();
    void Data_GridDblClick();
    void Data_GridKeyDown();
    void Data_GridGetCellParams(int recNo, int column, QColor& background) const;

    void NewDBExecute();
    void OpenDBExecute();
    void ExitExecute();
    void GroupAdd_ActionExecute();
    void GroupEdit_ActionExecute();
    void GroupDel_ActionExecute();
    void AddTestExecute();
    void EditTestExecute();
    void DelTestExecute();
    void SeekTestExecute();
    void BeginTestExecute();
    void InputDataTest_ActionExecute();
    void ResultTestExecute();
    void OptionExecute();
    void HelpExecute();
    void InternetHelpExecute();
    void AboutExecute();

    // Re-runs a list after a dialog stored a row and selects that row by its key.
    void showStoredGroup(qint32 groupId);
    void showStoredMember(qint32 menId);

    QLabel* m_statusText = nullptr;
    std::unique_ptr<QSettings> m_placementStore;
    Qt::WindowStates m_placedState;
};
