// The data grid: sort markers and title clicks, two-level and vertical titles, the footer row, check boxes and
// cell colours, on a small table in the in-memory store.

#include "support/TestSupport.h"
#include "widgets/DataGrid.h"
#include "widgets/GridHeader.h"

#include <QAccessible>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest>

using namespace TestSupport;

namespace {

// A throw-away table of people in the in-memory store, read through a dataset.
class PeopleTable
{
public:
    explicit PeopleTable(int rows = 3)
    {
        folder.db().exec(QStringLiteral("create table Memory.People (N integer, FIO text, IsMember integer, "
                                        "IsExpert integer, Rang integer, Ball integer)"));
        for (int n = 1; n <= rows; ++n)
            add(n, QStringLiteral("Член группы %1").arg(n), n % 2, n == 1 ? 1 : 0);
        open();
    }
    void add(int n, const QString& fio, int isMember, int isExpert)
    {
        folder.db().exec(QStringLiteral("insert into Memory.People values (:n, :fio, :m, :e, :n, :b)"),
                         {{QStringLiteral("n"), n},
                          {QStringLiteral("fio"), fio},
                          {QStringLiteral("m"), isMember},
                          {QStringLiteral("e"), isExpert},
                          {QStringLiteral("b"), 10 * n}});
    }
    void open(const QString& order = QStringLiteral("N"))
    {
        dataset.close();
        dataset.setSql(QStringLiteral("select * from Memory.People order by ") + order);
        dataset.open();
    }

    ProgramFolder folder;
    Dataset dataset{folder.db(), QStringLiteral("People")};
};

GridColumn column(const QString& field, const QString& title, int width, bool sortable = false)
{
    GridColumn c;
    c.field = field;
    c.title = title;
    c.width = width;
    c.sortable = sortable;
    return c;
}

// The member list's shape: number, name, two check boxes with a footer of sums under them.
QVector<GridColumn> memberColumns()
{
    QVector<GridColumn> columns{column(QStringLiteral("N"), QStringLiteral("№ по списку"), 71, true),
                                column(QStringLiteral("FIO"), QStringLiteral("Ф.И.О."), 230, true),
                                column(QStringLiteral("IsMember"), QStringLiteral("Участник"), 78, true),
                                column(QStringLiteral("IsExpert"), QStringLiteral("Эксперт"), 69, true),
                                column(QStringLiteral("Ball"), QStringLiteral("Комментарии"), 200)};
    columns[1].footer = GridColumn::Footer::Text;
    columns[1].footerText = QStringLiteral("Всего:");
    columns[1].footerAlignment = Qt::AlignRight;
    for (int c : {2, 3}) {
        columns[c].kind = GridColumn::Kind::CheckBox;
        columns[c].alignment = Qt::AlignCenter;
        columns[c].footer = GridColumn::Footer::Sum;
        columns[c].footerField = columns.at(c).field;
    }
    return columns;
}

// The results grid's shape: two-level titles and vertical ones.
QVector<GridColumn> resultColumns()
{
    QVector<GridColumn> columns{
        column(QStringLiteral("N"), QStringLiteral("№"), 22),
        column(QStringLiteral("FIO"), QStringLiteral("Ф.И.О."), 137, true),
        column(QStringLiteral("IsMember"), QStringLiteral("Участник"), 20),
        column(QStringLiteral("IsExpert"), QStringLiteral("Эксперт"), 22),
        column(QStringLiteral("Rang"), QStringLiteral("Оценка способностей|Ранг"), 54, true),
        column(QStringLiteral("Ball"), QStringLiteral("Оценка способностей|Абс. значение"), 68),
        column(QStringLiteral("Rang"), QStringLiteral("Оценка моральных качеств|Ранг"), 48),
        column(QStringLiteral("Ball"), QStringLiteral("Оценка моральных качеств|Абс. значение"), 81)};
    columns[1].footer = GridColumn::Footer::Text;
    columns[1].footerText = QStringLiteral("Всего:");
    columns[1].footerAlignment = Qt::AlignRight;
    for (int c : {2, 3}) {
        columns[c].kind = GridColumn::Kind::CheckBox;
        columns[c].verticalTitle = true;
        columns[c].footer = GridColumn::Footer::Sum;
        columns[c].footerField = columns.at(c).field;
    }
    return columns;
}

// A marker as the cases write it: "-" unmarked, "D1" down with sort index 1, "U2" up with index 2.
QString markerCode(const SortMarkers& markers, int column)
{
    switch (markers.marker(column)) {
    case SortMarker::None:
        return markers.sortIndex(column) == 0 ? QStringLiteral("-") : QStringLiteral("?");
    case SortMarker::Down:
        return QStringLiteral("D%1").arg(markers.sortIndex(column));
    case SortMarker::Up:
        return QStringLiteral("U%1").arg(markers.sortIndex(column));
    }
    return {};
}

// The footer row, found as a screen reader finds it.
QWidget* footerOf(DataGrid& grid)
{
    for (QWidget* child : grid.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->accessibleName() == QStringLiteral("Итоги"))
            return child;
    }
    return nullptr;
}

QPoint titleCentre(DataGrid& grid, int column)
{
    return grid.titleHeader()->titleRect(column).center();
}

} // namespace

class TestDataGrid : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initKoltraResources(); }

    void sortMarkerCycles_data();
    void sortMarkerCycles();
    void setOnlyAndReset();
    void titleClicksMoveMarkersBeforeTheSignal();
    void footerShowsTextsAndSumsOverAllRows();
    void footerKeepsTheLastRowReachable();
    void cellColoursFollowTheShownOrder();
    void checkBoxesAreCentredAndReadOnly();
    void twoLevelTitlesShareUpperCells();
    void verticalTitlesMakeTheHeaderTaller();
    void titlesThatDoNotFitShowTips();
    void rendersAllFeatures();
};

void TestDataGrid::sortMarkerCycles_data()
{
    // Columns 0, 1 and 2 are sortable, column 3 is not. "^" marks a click with Ctrl held.
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("first plain click marks down") << QStringList{"0"} << QStringList{"D1", "-", "-", "-"};
    QTest::newRow("second plain click turns up") << QStringList{"0", "0"} << QStringList{"U1", "-", "-", "-"};
    QTest::newRow("plain clicks never unmark") << QStringList{"0", "0", "0"} << QStringList{"D1", "-", "-", "-"};
    QTest::newRow("plain click clears the others") << QStringList{"0", "^1", "2"} << QStringList{"-", "-", "D1", "-"};
    QTest::newRow("plain click on a second marked column advances it alone")
        << QStringList{"0", "^1", "1"} << QStringList{"-", "U1", "-", "-"};
    QTest::newRow("ctrl appends") << QStringList{"0", "^1", "^2"} << QStringList{"D1", "D2", "D3", "-"};
    QTest::newRow("ctrl on the first marker keeps its index")
        << QStringList{"0", "^1", "^0"} << QStringList{"U1", "D2", "-", "-"};
    QTest::newRow("ctrl cycle back to none moves the others up")
        << QStringList{"0", "^1", "^0", "^0"} << QStringList{"-", "D1", "-", "-"};
    QTest::newRow("ctrl removal from the middle renumbers those behind")
        << QStringList{"0", "^1", "^2", "^1", "^1"} << QStringList{"D1", "-", "D2", "-"};
    QTest::newRow("ctrl click with nothing marked") << QStringList{"^1"} << QStringList{"-", "D1", "-", "-"};
    QTest::newRow("plain click after a ctrl removal")
        << QStringList{"0", "^0", "^0", "0"} << QStringList{"D1", "-", "-", "-"};
    QTest::newRow("non-sortable column ignored")
        << QStringList{"0", "^1", "3", "^3"} << QStringList{"D1", "D2", "-", "-"};
}

void TestDataGrid::sortMarkerCycles()
{
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, expected);

    SortMarkers markers;
    markers.reset(4);
    for (int c : {0, 1, 2})
        markers.setSortable(c, true);
    for (const QString& click : clicks) {
        const bool ctrl = click.startsWith(QLatin1Char('^'));
        markers.click(click.mid(ctrl ? 1 : 0).toInt(), ctrl);
    }

    QStringList actual;
    for (int c = 0; c < 4; ++c)
        actual.append(markerCode(markers, c));
    QCOMPARE(actual, expected);
    // The order the owner sorts by agrees with the indexes shown.
    const QVector<int> ordered = markers.orderedColumns();
    QCOMPARE(markers.markedCount(), int(ordered.size()));
    for (int i = 0; i < ordered.size(); ++i)
        QCOMPARE(markers.sortIndex(ordered.at(i)), i + 1);
}

void TestDataGrid::setOnlyAndReset()
{
    SortMarkers markers;
    markers.reset(3);
    markers.setSortable(0, true);
    markers.setSortable(1, true);
    markers.click(0, false);
    markers.click(1, true);

    markers.setOnly(1, SortMarker::Up);
    QCOMPARE(markerCode(markers, 0), QStringLiteral("-"));
    QCOMPARE(markerCode(markers, 1), QStringLiteral("U1"));
    markers.click(1, false); // the cycle goes on from the marker that was set
    QCOMPARE(markerCode(markers, 1), QStringLiteral("D1"));

    markers.setOnly(0, SortMarker::None);
    QCOMPARE(markers.markedCount(), 0);
    QCOMPARE(markers.marker(1), SortMarker::None);

    markers.click(0, false);
    markers.reset(3);
    QCOMPARE(markers.markedCount(), 0);
    QVERIFY(!markers.isSortable(0));
    markers.click(0, false);
    QCOMPARE(markers.markedCount(), 0);
}

void TestDataGrid::titleClicksMoveMarkersBeforeTheSignal()
{
    PeopleTable people;
    DataGrid grid;
    grid.bind(&people.dataset, memberColumns(), DataGrid::ColumnSizing::Fill);
    grid.resize(700, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    people.dataset.setRecNo(2);

    QStringList seen; // the markers as the owner finds them when the signal arrives
    connect(&grid, &DataGrid::titleButtonClicked, &grid,
            [&](int column) { seen.append(QString::number(column) + markerCode(grid.sortMarkers(), column)); });
    QWidget* titles = grid.horizontalHeader()->viewport();

    QTest::mouseClick(titles, Qt::LeftButton, Qt::NoModifier, titleCentre(grid, 1));
    QCOMPARE(seen, QStringList{"1D1"});
    QTest::mouseClick(titles, Qt::LeftButton, Qt::ControlModifier, titleCentre(grid, 2));
    QCOMPARE(seen, (QStringList{"1D1", "2D2"}));
    QCOMPARE(markerCode(grid.sortMarkers(), 1), QStringLiteral("D1"));
    QTest::mouseClick(titles, Qt::LeftButton, Qt::NoModifier, titleCentre(grid, 2));
    QCOMPARE(seen.last(), QStringLiteral("2U1"));
    QCOMPARE(markerCode(grid.sortMarkers(), 1), QStringLiteral("-"));

    // A title that is not sortable is no button.
    QTest::mouseClick(titles, Qt::LeftButton, Qt::NoModifier, titleCentre(grid, 4));
    QCOMPARE(seen.size(), 3);
    QCOMPARE(grid.sortMarkers().markedCount(), 1);

    // Released over another title: no click, as with a button.
    QTest::mousePress(titles, Qt::LeftButton, Qt::NoModifier, titleCentre(grid, 0));
    QTest::mouseMove(titles, titleCentre(grid, 1));
    QTest::mouseRelease(titles, Qt::LeftButton, Qt::NoModifier, titleCentre(grid, 1));
    QCOMPARE(seen.size(), 3);

    // Title clicks neither select a column nor move the current row.
    QCOMPARE(people.dataset.recNo(), 2);
    QCOMPARE(grid.selectionModel()->selectedRows().size(), 1);
    QCOMPARE(grid.selectionModel()->selectedRows().first().row(), 1);
}

void TestDataGrid::footerShowsTextsAndSumsOverAllRows()
{
    PeopleTable people(5); // IsMember 1,0,1,0,1; IsExpert only the first
    DataGrid grid;
    grid.bind(&people.dataset, memberColumns(), DataGrid::ColumnSizing::Fill);
    grid.setFooterVisible(true);
    grid.resize(600, 120); // fewer rows on screen than in the dataset
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    const QStringList expected{"", "Всего:", "3", "1", ""};
    QStringList texts;
    for (int c = 0; c < 5; ++c)
        texts.append(grid.footerText(c));
    QCOMPARE(texts, expected);
    QWidget* footer = footerOf(grid);
    QVERIFY(footer);
    QCOMPARE(footer->accessibleDescription(), QStringLiteral("Всего:; 3; 1"));

    // The sums follow the dataset's content when it is re-run.
    people.add(6, QStringLiteral("Новый"), 1, 1);
    people.open(QStringLiteral("FIO"));
    QCOMPARE(grid.footerText(2), QStringLiteral("4"));
    QCOMPARE(grid.footerText(3), QStringLiteral("2"));

    people.folder.db().exec(QStringLiteral("delete from Memory.People"));
    people.open();
    QCOMPARE(grid.footerText(1), QStringLiteral("Всего:"));
    QCOMPARE(grid.footerText(2), QStringLiteral("0"));
    people.dataset.close();
    QCOMPARE(grid.footerText(3), QStringLiteral("0"));

    // Hidden again, the rows take the footer's place.
    const int withFooter = grid.viewport()->height();
    grid.setFooterVisible(false);
    QVERIFY(grid.viewport()->height() > withFooter);
}

void TestDataGrid::footerKeepsTheLastRowReachable()
{
    PeopleTable people(30);
    DataGrid grid;
    grid.bind(&people.dataset, memberColumns());
    grid.resize(400, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.setFooterVisible(true); // on a grid already on screen

    // The footer sits right under the rows and above the horizontal scroll bar.
    QWidget* footer = footerOf(grid);
    QVERIFY(footer);
    QVERIFY(footer->isVisible());
    QCOMPARE(footer->geometry().top(), grid.viewport()->geometry().bottom() + 1);
    QCOMPARE(footer->width(), grid.viewport()->width());
    QVERIFY(grid.horizontalScrollBar()->isVisible());
    QVERIFY(footer->geometry().bottom() < grid.horizontalScrollBar()->mapTo(&grid, QPoint(0, 0)).y());

    // Scrolled to the end, the last row is wholly above the footer.
    grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
    const QRect last = grid.visualRect(grid.model()->index(29, 0));
    QVERIFY(last.isValid());
    QVERIFY2(last.bottom() < grid.viewport()->height(), "the last row is hidden behind the footer");
}

void TestDataGrid::cellColoursFollowTheShownOrder()
{
    PeopleTable people(4);
    DataGrid grid;
    grid.bind(&people.dataset, memberColumns(), DataGrid::ColumnSizing::Fill);
    grid.resize(600, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    const QColor odd(255, 255, 255);
    const QColor even(255, 255, 200);
    QVector<QPair<int, int>> asked;
    grid.setCellParams([&](int recNo, int column, QColor& background) {
        asked.append({recNo, column});
        background = recNo % 2 == 0 ? even : odd;
    });
    grid.grab();
    QVERIFY(asked.contains(qMakePair(1, 0)));
    QVERIFY(asked.contains(qMakePair(4, 4)));

    people.open(QStringLiteral("N desc")); // another order: the first row shown is again record 1
    QCOMPARE(grid.cellBackground(0, 1), odd);
    QCOMPARE(grid.cellBackground(1, 1), even);
    QCOMPARE(grid.cellBackground(2, 3), odd);

    // What is painted: the colour on other rows, the highlight over it on the selected row.
    people.dataset.setRecNo(2);
    const QImage image = grid.viewport()->grab().toImage();
    const int x = grid.columnViewportPosition(1) + 1;
    auto pixel = [&](int row) { return image.pixelColor(x, grid.rowViewportPosition(row) + 2); };
    QCOMPARE(pixel(0), odd);
    QCOMPARE(pixel(2), odd);
    QCOMPARE(pixel(3), even);
    QCOMPARE(pixel(1), grid.palette().color(QPalette::Active, QPalette::Highlight));

    // Without a callback the rows take the grid's base colour.
    grid.setCellParams({});
    grid.setRowBackground(QColor(10, 20, 30));
    QCOMPARE(grid.cellBackground(3, 0), QColor(10, 20, 30));
}

void TestDataGrid::checkBoxesAreCentredAndReadOnly()
{
    PeopleTable people(3); // rows 0 and 2: members, row 1: not
    DataGrid grid;
    grid.bind(&people.dataset, memberColumns(), DataGrid::ColumnSizing::Fill);
    const QColor background(250, 230, 120);
    grid.setCellParams([&](int, int, QColor& colour) { colour = background; });
    grid.resize(600, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    people.dataset.setRecNo(3); // the rows looked at are not selected

    const QModelIndex checked = grid.model()->index(0, 2);
    const QModelIndex unchecked = grid.model()->index(1, 2);
    QCOMPARE(checked.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(checked.data(Qt::AccessibleTextRole).toString(), QStringLiteral("Да"));

    const QImage image = grid.viewport()->grab().toImage();
    const QRect cell = grid.visualRect(checked);
    QCOMPARE(image.pixelColor(cell.left() + 1, cell.top() + 1), background);
    QVERIFY(image.pixelColor(cell.center()) != background); // the box itself, in the middle
    QCOMPARE(image.pixelColor(cell.left() + 3, cell.center().y()), background);
    QVERIFY(image.copy(cell) != image.copy(grid.visualRect(unchecked)));

    // A click on the box changes nothing, on screen or in the store.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, grid.visualRect(unchecked).center());
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, grid.visualRect(checked).center());
    QCOMPARE(unchecked.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QCOMPARE(checked.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(people.folder.db().scalar(QStringLiteral("select sum(IsMember) from Memory.People")).toInt(), 2);
}

void TestDataGrid::twoLevelTitlesShareUpperCells()
{
    PeopleTable people;
    DataGrid oneLevel;
    oneLevel.bind(&people.dataset, memberColumns());
    DataGrid twoLevels;
    QVector<GridColumn> columns = resultColumns();
    for (int c : {2, 3})
        columns[c].verticalTitle = false; // only the bands count here
    // The same upper title after a different column starts a band of its own.
    columns.append(column(QStringLiteral("Ball"), QStringLiteral("Оценка способностей|Снова"), 60));
    twoLevels.bind(&people.dataset, columns);
    for (DataGrid* grid : {&oneLevel, &twoLevels}) {
        grid->resize(700, 200);
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid));
    }

    GridHeader* header = twoLevels.titleHeader();
    const int band = header->bandHeight();
    QCOMPARE(oneLevel.horizontalHeader()->height(), band);
    QCOMPARE(header->height(), 2 * band);

    const QVector<GridHeader::TitleBand> bands = header->titleBands();
    QCOMPARE(bands.size(), 3);
    QCOMPARE(bands.at(0).text, QStringLiteral("Оценка способностей"));
    QCOMPARE(qMakePair(bands.at(0).firstColumn, bands.at(0).lastColumn), qMakePair(4, 5));
    QCOMPARE(bands.at(1).text, QStringLiteral("Оценка моральных качеств"));
    QCOMPARE(qMakePair(bands.at(1).firstColumn, bands.at(1).lastColumn), qMakePair(6, 7));
    QCOMPARE(qMakePair(bands.at(2).firstColumn, bands.at(2).lastColumn), qMakePair(8, 8));

    // One merged upper cell over both columns; their own titles in the lower band; one-level titles span both.
    const QRect upper = header->upperTitleRect(4);
    QCOMPARE(header->upperTitleRect(5), upper);
    QCOMPARE(upper.left(), twoLevels.columnViewportPosition(4));
    QCOMPARE(upper.right(), twoLevels.columnViewportPosition(5) + twoLevels.columnWidth(5) - 1);
    QCOMPARE(upper.height(), band);
    QCOMPARE(header->titleRect(5), QRect(twoLevels.columnViewportPosition(5), band, 68, band));
    QCOMPARE(header->titleRect(1), QRect(twoLevels.columnViewportPosition(1), 0, 137, 2 * band));
    QVERIFY(header->upperTitleRect(1).isNull());

    // A screen reader reads both levels, without the separator.
    QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(&twoLevels)->tableInterface();
    QVERIFY(table);
    const auto titleCells = table->cellAt(0, 5)->tableCellInterface()->columnHeaderCells();
    QCOMPARE(titleCells.size(), 1);
    QCOMPARE(titleCells.first()->text(QAccessible::Name), QStringLiteral("Оценка способностей, Абс. значение"));

    // A click in the upper band is no title click; in the lower band it is.
    QSignalSpy clicks(&twoLevels, &DataGrid::titleButtonClicked);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, upper.center());
    QCOMPARE(clicks.size(), 0);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, header->titleRect(4).center());
    QCOMPARE(clicks.size(), 1);

    // A hidden column leaves the band to its shown neighbour.
    twoLevels.setColumnHidden(5, true);
    QCOMPARE(header->titleBands().at(0).lastColumn, 4);
    QCOMPARE(header->upperTitleRect(4).width(), twoLevels.columnWidth(4));
}

void TestDataGrid::verticalTitlesMakeTheHeaderTaller()
{
    PeopleTable people;
    DataGrid across;
    QVector<GridColumn> columns = memberColumns();
    across.bind(&people.dataset, columns);
    DataGrid turned;
    for (int c : {2, 3})
        columns[c].verticalTitle = true;
    turned.bind(&people.dataset, columns);
    DataGrid results;
    results.bind(&people.dataset, resultColumns());
    for (DataGrid* grid : {&across, &turned, &results}) {
        grid->setTitleStyle(Qt::darkBlue, true);
        grid->resize(700, 200);
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid));
    }

    const QFontMetrics bold(turned.horizontalHeader()->font());
    QVERIFY(bold.horizontalAdvance(QStringLiteral("Участник")) > across.horizontalHeader()->height());
    QVERIFY(turned.horizontalHeader()->height() > across.horizontalHeader()->height());
    QVERIFY(turned.horizontalHeader()->height() > bold.horizontalAdvance(QStringLiteral("Участник")));
    // Beside two-level titles a vertical one spans both bands and still fits.
    QVERIFY(results.horizontalHeader()->height() > bold.horizontalAdvance(QStringLiteral("Участник")));
    QCOMPARE(results.titleHeader()->titleRect(2).height(), results.horizontalHeader()->height());

    // A bolder font is measured again.
    const int boldHeight = turned.horizontalHeader()->height();
    turned.setTitleStyle(Qt::darkBlue, false);
    QTRY_VERIFY(turned.horizontalHeader()->height() < boldHeight);
}

void TestDataGrid::titlesThatDoNotFitShowTips()
{
    PeopleTable people;
    DataGrid grid;
    grid.bind(&people.dataset, resultColumns());
    grid.resize(700, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    GridHeader* header = grid.titleHeader();

    auto tipAt = [&](const QPoint& pos) {
        QToolTip::hideText();
        QHelpEvent help(QEvent::ToolTip, pos, header->viewport()->mapToGlobal(pos));
        QApplication::sendEvent(header->viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    QCOMPARE(tipAt(header->titleRect(1).center()), QString()); // "Ф.И.О." fits
    QCOMPARE(tipAt(header->titleRect(5).center()), QStringLiteral("Абс. значение"));
    QCOMPARE(tipAt(header->upperTitleRect(6).center()), QStringLiteral("Оценка моральных качеств"));
    grid.setColumnWidth(1, 20);
    QCOMPARE(tipAt(header->titleRect(1).center()), QStringLiteral("Ф.И.О."));
    QToolTip::hideText();
}

void TestDataGrid::rendersAllFeatures()
{
    PeopleTable people(6);
    DataGrid grid;
    grid.bind(&people.dataset, resultColumns(), DataGrid::ColumnSizing::Fill);
    grid.setTitleStyle(Qt::darkBlue, true);
    grid.setFooterVisible(true);
    grid.setCellParams([](int recNo, int, QColor& background) {
        background = recNo % 2 == 0 ? QColor(255, 255, 225) : QColor(Qt::white);
    });
    grid.resize(449, 260);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    GridHeader* header = grid.titleHeader();

    const QImage unmarked = header->viewport()->grab().toImage();
    grid.sortMarkers().setOnly(4, SortMarker::Up);
    grid.sortMarkers().click(1, true);
    header->viewport()->update();
    const QImage marked = header->viewport()->grab().toImage();
    // The markers appear at the right end of the marked titles only.
    const QRect rang = header->titleRect(4);
    const QRect right(rang.right() - rang.width() / 3, rang.top(), rang.width() / 3, rang.height());
    QVERIFY(marked.copy(right) != unmarked.copy(right));
    const QRect plain = header->titleRect(6);
    QCOMPARE(marked.copy(plain), unmarked.copy(plain));

    const QImage image = grid.grab().toImage();
    if (qEnvironmentVariableIsSet("KOLTRA_GRID_PNG"))
        image.save(qEnvironmentVariable("KOLTRA_GRID_PNG"));
    // The footer has the colour of buttons, under the rows.
    const QPoint footerPoint = grid.viewport()->geometry().bottomLeft() + QPoint(2, 4);
    QCOMPARE(image.pixelColor(footerPoint), grid.palette().color(QPalette::Button));
}

QTEST_MAIN(TestDataGrid)
#include "tst_datagrid.moc"
