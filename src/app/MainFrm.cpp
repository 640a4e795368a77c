#include "app/MainFrm.h"

#include "app/DataMod.h"
#include "app/ProgramInfo.h"
#include "app/Settings.h"
#include "platform/ErrorDisplay.h"
#include "platform/Placement.h"
#include "platform/SystemColors.h"
#include "widgets/DataGrid.h"
#include "widgets/SortMarkers.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

namespace {

QAction* makeAction(QObject* owner, const char* objectName, const QString& caption, const QString& hint,
                    const QString& icon = {}, const QKeySequence& shortcut = {})
{
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setToolTip(hint);
    if (!icon.isEmpty())
        action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(icon)));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    return action;
}

} // namespace

TMain_Form::TMain_Form(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Main_Form"));
    setWindowIcon(QIcon(QStringLiteral(":/koltra.svg")));
    createActions();
    createMenus();
    createToolBar();
    createLists();
    createPopupMenus();
    connectCommands();
    Koltra_StatusBar = new QStatusBar(this);
    Koltra_StatusBar->setObjectName(QStringLiteral("Koltra_StatusBar"));
    Koltra_StatusBar->setSizeGripEnabled(true);
    m_statusText = new QLabel(Koltra_StatusBar);
    m_statusText->setMinimumWidth(200);
    Koltra_StatusBar->addWidget(m_statusText, 1);
    setStatusBar(Koltra_StatusBar);
    FormCreate();
}

TMain_Form::~TMain_Form() = default;

void TMain_Form::createActions()
{
    NewDB = makeAction(this, "NewDB", QStringLiteral("&Создать..."), QStringLiteral("Создать новую базу данных"),
                       QStringLiteral("db-new"), QKeySequence(Qt::CTRL | Qt::Key_N));
    OpenDB = makeAction(this, "OpenDB", QStringLiteral("&Открыть..."), QStringLiteral("Открыть базу данных"),
                        QStringLiteral("db-open"), QKeySequence(Qt::CTRL | Qt::Key_O));
    Exit = makeAction(this, "Exit", QStringLiteral("&Выход"), QStringLiteral("Выход"), QStringLiteral("exit"));
    GroupAdd_Action = makeAction(this, "GroupAdd_Action", QStringLiteral("Добавить..."),
                                 QStringLiteral("Добавить новую группу"), QStringLiteral("group-add"));
    GroupEdit_Action = makeAction(this, "GroupEdit_Action", QStringLiteral("Изменить..."),
                                  QStringLiteral("Изменить данные группы"), QStringLiteral("group-edit"));
    GroupDel_Action = makeAction(this, "GroupDel_Action", QStringLiteral("Удалить..."),
                                 QStringLiteral("Удалить группу"), QStringLiteral("group-delete"));
    AddTest =
        makeAction(this, "AddTest", QStringLiteral("&Добавить..."), QStringLiteral("Добавить нового члена группы"),
                   QStringLiteral("member-add"), QKeySequence(Qt::Key_Insert));
    EditTest = makeAction(this, "EditTest", QStringLiteral("&Изменить..."),
                          QStringLiteral("Редактировать данные члена группы"), QStringLiteral("member-edit"),
                          QKeySequence(Qt::CTRL | Qt::Key_Insert));
    DelTest = makeAction(this, "DelTest", QStringLiteral("&Удалить..."), QStringLiteral("Удалить члена группы"),
                         QStringLiteral("member-delete"), QKeySequence(Qt::Key_Delete));
    SeekTest = makeAction(this, "SeekTest", QStringLiteral("&Найти..."), QStringLiteral("Найти тестируемого"),
                          QStringLiteral("search"), QKeySequence(Qt::CTRL | Qt::Key_F));
    BeginTest = makeAction(this, "BeginTest", QStringLiteral("Начать..."), QStringLiteral("Начать..."),
                           QStringLiteral("test-begin"));
    InputDataTest_Action = makeAction(this, "InputDataTest_Action", QStringLiteral("Ввод оценок..."),
                                      QStringLiteral("Ввод оценок..."), QStringLiteral("scores-input"));
    ResultTest = makeAction(this, "ResultTest", QStringLiteral("Вывод результатов..."),
                            QStringLiteral("Вывод результатов..."), QStringLiteral("results"));
    Option = makeAction(this, "Option", QStringLiteral("&Настройка..."), QStringLiteral("Настройка"),
                        QStringLiteral("options"));
    Help = makeAction(this, "Help", QStringLiteral("&Содержание"), QStringLiteral("Помощь по Tarkis Shell"),
                      QStringLiteral("help"), QKeySequence(Qt::Key_F1));
    InternetHelp = makeAction(this, "InternetHelp", QStringLiteral("\"Таркис\" в &Интернете"),
                              QStringLiteral("\"Таркис\" в Интернете"), QStringLiteral("internet"));
    About = makeAction(this, "About", QStringLiteral("&О программе..."), QStringLiteral("О программе и ее авторах"),
                       QStringLiteral("about"));
    for (QAction* action : findChildren<QAction*>())
        addAction(action); // shortcuts work whichever control has the focus
}

void TMain_Form::createMenus()
{
    QMenuBar* bar = menuBar();
    QMenu* db = bar->addMenu(QStringLiteral("База данных"));
    db->addActions({NewDB, OpenDB});
    db->addSeparator();
    db->addAction(Exit);
    bar->addMenu(QStringLiteral("Группы"))->addActions({GroupAdd_Action, GroupEdit_Action, GroupDel_Action});
    QMenu* members = bar->addMenu(QStringLiteral("Члены групп"));
    members->addActions({AddTest, EditTest, DelTest});
    members->addSeparator();
    members->addAction(SeekTest);
    bar->addMenu(QStringLiteral("Оценивание"))->addActions({BeginTest, InputDataTest_Action});
    bar->addMenu(QStringLiteral("Результаты"))->addAction(ResultTest);
    bar->addMenu(QStringLiteral("Сервис"))->addAction(Option);
    QMenu* help = bar->addMenu(QStringLiteral("Помощь"));
    help->addActions({Help, InternetHelp});
    help->addSeparator();
    help->addAction(About);
}

void TMain_Form::createToolBar()
{
    QToolBar* bar = addToolBar(QStringLiteral("Панель инструментов"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setMinimumHeight(31);
    bar->addActions({NewDB, OpenDB});
    bar->addSeparator();
    bar->addActions({GroupAdd_Action, GroupEdit_Action, GroupDel_Action});
    bar->addSeparator();
    bar->addActions({AddTest, EditTest, DelTest});
    bar->addSeparator();
    bar->addAction(SeekTest);
    bar->addSeparator();
    bar->addActions({InputDataTest_Action, ResultTest});
}

void TMain_Form::createLists()
{
    TMain_DataModule& dm = *Main_DataModule;
    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(4);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->setOpaqueResize(true); // the lists follow the splitter live

    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    Group_Grid = new DataGrid(Splitter1);
    Group_Grid->setObjectName(QStringLiteral("Group_Grid"));
    Group_Grid->setAccessibleName(QStringLiteral("Группы"));
    QVector<GridColumn> groupColumns{
        {QStringLiteral("Group_Name"), QStringLiteral("Группа"), 145},
        {QStringLiteral("Date_Test"), QStringLiteral("Дата опроса"), 96, left, GridColumn::Kind::Date},
        {QStringLiteral("Comments"), QStringLiteral("Комментарии"), 150}};
    groupColumns[0].sortable = true;
    groupColumns[1].sortable = true;
    Group_Grid->bind(&dm.Group_Query, groupColumns);
    Group_Grid->setTitleStyle(QColor(Qt::darkBlue), true);
    Group_Grid->setWidenToTitles(true);

    Data_Grid = new DataGrid(Splitter1);
    Data_Grid->setObjectName(QStringLiteral("Data_Grid"));
    Data_Grid->setAccessibleName(QStringLiteral("Члены группы"));
    QVector<GridColumn> menColumns{
        {QStringLiteral("NumberInList"), QStringLiteral("№ по списку"), 71, Qt::AlignCenter},
        {QStringLiteral("FIO"), QStringLiteral("Ф.И.О."), 230},
        {QStringLiteral("IsMember"), QStringLiteral("Участник"), 78, Qt::AlignCenter, GridColumn::Kind::CheckBox},
        {QStringLiteral("IsExpert"), QStringLiteral("Эксперт"), 69, Qt::AlignCenter, GridColumn::Kind::CheckBox},
        {QStringLiteral("Comments"), QStringLiteral("Комментарии"), 200}};
    for (int c = 0; c < 4; ++c)
        menColumns[c].sortable = true;
    menColumns[1].footer = GridColumn::Footer::Text;
    menColumns[1].footerText = QStringLiteral("Всего:");
    menColumns[1].footerAlignment = Qt::AlignRight | Qt::AlignVCenter;
    menColumns[2].footer = GridColumn::Footer::Sum;
    menColumns[2].footerField = QStringLiteral("IsMemberN");
    menColumns[3].footer = GridColumn::Footer::Sum;
    menColumns[3].footerField = QStringLiteral("IsExpertN");
    Data_Grid->bind(&dm.Men_Query, menColumns, DataGrid::ColumnSizing::Fill);
    Data_Grid->setTitleStyle(QColor(Qt::darkBlue), true);
    Data_Grid->setFooterVisible(true);
    Data_Grid->sortMarkers().setOnly(0, SortMarker::Up); // by number in the list, ascending
    Data_Grid->setCellParams(
        [this](int recNo, int column, QColor& background) { Data_GridGetCellParams(recNo, column, background); });

    // On a resize the member list keeps its width; only the splitter changes it.
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setSizes({DesignSize.width() - 583 - 4, 583});
    setCentralWidget(Splitter1);

    connect(&dm.Group_Query, &Dataset::changed, this, &TMain_Form::Group_DataSourceDataChange);
    connect(&dm.Men_Query, &Dataset::changed, this, &TMain_Form::Men_DataSourceDataChange);
    connect(Group_Grid, &DataGrid::titleButtonClicked, this, &TMain_Form::Group_GridTitleBtnClick);
    connect(Data_Grid, &DataGrid::titleButtonClicked, this, &TMain_Form::Data_GridTitleBtnClick);
    connect(Group_Grid, &DataGrid::gridDoubleClicked, this, &TMain_Form::Group_GridDblClick);
    connect(Data_Grid, &DataGrid::gridDoubleClicked, this, &TMain_Form::Data_GridDblClick);
    Data_Grid->installEventFilter(this);
}

void TMain_Form::createPopupMenus()
{
    Data_PopupMenu = new QMenu(this);
    Data_PopupMenu->setObjectName(QStringLiteral("Data_PopupMenu"));
    Data_PopupMenu->addActions({AddTest, EditTest});
    Data_PopupMenu->addSeparator();
    Data_PopupMenu->addAction(DelTest);
    Data_PopupMenu->addSeparator();
    Data_PopupMenu->addAction(InputDataTest_Action);
    Data_PopupMenu->setDefaultAction(EditTest);

    Group_PopupMenu = new QMenu(this);
    Group_PopupMenu->setObjectName(QStringLiteral("Group_PopupMenu"));
    Group_PopupMenu->addActions({GroupAdd_Action, GroupEdit_Action});
    Group_PopupMenu->addSeparator();
    Group_PopupMenu->addAction(GroupDel_Action);
    Group_PopupMenu->addSeparator();
    Group_PopupMenu->addAction(ResultTest);
    Group_PopupMenu->setDefaultAction(GroupEdit_Action);

    for (auto [grid, menu] : {std::pair{Data_Grid, Data_PopupMenu}, std::pair{Group_Grid, Group_PopupMenu}}) {
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this,
                [grid = grid, menu = menu](const QPoint& pos) { menu->popup(grid->viewport()->mapToGlobal(pos)); });
    }
}

void TMain_Form::FormCreate()
{
    // Opening the list runs the data-change handling; when it fails, the handling still sets the enabling.
    if (!ErrorDisplay::run(this, [this] { OpenGroupList(); }))
        Group_DataSourceDataChange();
    FFirstColor = Settings::read(Settings::FirstColor);
    FSecondColor = Settings::read(Settings::SecondColor);
    m_placementStore = Placement::userSettings();
    m_placedState = Placement::restore(this, *m_placementStore, DesignSize);
}

void TMain_Form::showPlaced()
{
    if (m_placedState & Qt::WindowMaximized)
        showMaximized();
    else if (m_placedState & Qt::WindowMinimized)
        showMinimized();
    else
        show();
}

void TMain_Form::setDatabaseTitle(const QString& dbName)
{
    setWindowTitle(ProgramInfo::MainCaptionPrefix + dbName);
}

namespace {
// The order clause a list's title markers stand for; `descending` is the marker that sorts descending there.
QVector<OrderItem> listOrder(const DataGrid* grid, SortMarker descending)
{
    const SortMarkers& markers = grid->sortMarkers();
    const QVector<GridColumn>& columns = grid->datasetModel()->columns();
    QVector<OrderItem> order;
    for (int column : markers.orderedColumns())
        order.append({columns.at(column).field, markers.marker(column) == descending});
    return order;
}
} // namespace

void TMain_Form::OpenGroupList()
{
    // In the group list a down marker sorts ascending, in the member list descending.
    Main_DataModule->openGroupQuery(listOrder(Group_Grid, SortMarker::Up));
}

void TMain_Form::OpenMenList()
{
    Main_DataModule->openMenQuery(listOrder(Data_Grid, SortMarker::Down));
}

void TMain_Form::Group_DataSourceDataChange()
{
    TMain_DataModule& dm = *Main_DataModule;
    if (!ErrorDisplay::run(this, [this] { OpenMenList(); }))
        Men_DataSourceDataChange();
    m_statusText->setText(dm.Group_Query.asString(QStringLiteral("Comments")));
    const bool haveGroup = !dm.Group_Query.isEmpty();
    GroupEdit_Action->setEnabled(haveGroup);
    GroupDel_Action->setEnabled(haveGroup);
    AddTest->setEnabled(haveGroup);
}

void TMain_Form::Men_DataSourceDataChange()
{
    const bool haveMembers = !Main_DataModule->Men_Query.isEmpty();
    for (QAction* action : {EditTest, DelTest, SeekTest, BeginTest, ResultTest, InputDataTest_Action})
        action->setEnabled(haveMembers);
}

void TMain_Form::Group_GridTitleBtnClick(int /*column*/)
{
    // The markers have moved already; the first group of the new order becomes the selected one.
    ErrorDisplay::run(this, [this] { OpenGroupList(); });
}

void TMain_Form::Data_GridTitleBtnClick(int /*column*/)
{
    ErrorDisplay::run(this, [this] {
        Dataset& men = Main_DataModule->Men_Query;
        const QVariant selected = men.isEmpty() ? QVariant() : men.value(QStringLiteral("Men_ID"));
        OpenMenList();
        if (selected.isValid())
            men.locate(QStringLiteral("Men_ID"), selected);
    });
}

void TMain_Form::Group_GridDblClick()
{
    if (!Main_DataModule->Group_Query.isEmpty())
        ResultTestExecute();
}

void TMain_Form::Data_GridDblClick()
{
    InputDataTest_ActionExecute();
}

void TMain_Form::Data_GridKeyDown()
{
    InputDataTest_ActionExecute();
}

bool TMain_Form::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in the member list, with any of Shift, Ctrl and Alt, is the manual score entry.
    if (watched == Data_Grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Data_GridKeyDown();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMain_Form::Data_GridGetCellParams(int recNo, int /*column*/, QColor& background) const
{
    background = SystemColors::toColor(recNo % 2 == 0 ? FFirstColor : FSecondColor, Data_Grid->palette());
}

void TMain_Form::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void TMain_Form::FormClose()
{
    if (m_placementStore)
        Placement::save(this, *m_placementStore);
    // A settings file that cannot be written is reported; the window closes all the same.
    ErrorDisplay::run(this, [this] { Settings::write(Settings::Splitter, Splitter1->sizes().value(0)); });
}
