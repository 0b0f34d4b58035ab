// The window's controls, their places, captions, fonts and start states.
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStyle>
#include <cmath>

#include "accessible_controls.h"
#include "command_button.h"
#include "design_fonts.h"
#include "drive_list.h"
#include "file_list.h"
#include "folder_list.h"
#include "form1.h"
#include "panel_cover.h"
#include "progress_frame.h"
#include "screen_room.h"
#include "user_state.h"
#include "views/drilldown_panel.h"
#include "views/elided_label.h"
#include "views/grid.h"
#include "views/result_list_clicks.h"
#include "wording/display_text.h"

namespace varnoth {

namespace {

constexpr int clientWidth = 996;
constexpr int clientHeight = 569;

// The share of the extra width each list takes: in proportion to its design
// width (282, 272 and 410 pixels).
constexpr double grid1Share = 282.0 / 964;
constexpr double grid3Share = 272.0 / 964;

template <typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, const QRect &place)
{
    auto *button = named(new CommandButton(caption, parent), name);
    button->setGeometry(place);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

template <typename Label = QLabel>
Label *makeLabel(QWidget *parent, const char *name, const QString &caption, const QPoint &place, const QFont &font)
{
    auto *label = named(new Label(parent), name);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setText(caption);
    label->move(place);
    label->adjustSize();
    return label;
}

QFrame *makePanel(QWidget *parent, const char *name, const QRect &place, QFrame::Shape shape)
{
    auto *panel = named(new QFrame(parent), name);
    panel->setFrameShape(shape);
    panel->setFrameShadow(QFrame::Raised);
    panel->setGeometry(place);
    panel->setAutoFillBackground(true);
    return panel;
}

Grid *makeGrid(QWidget *parent, const char *name, int columns, const NumberFormat &format, const QFont &font,
               const QRect &place, const QString &title)
{
    auto *grid = named(new Grid(columns, format, parent), name);
    grid->setFont(font);
    grid->setGeometry(place);
    grid->setDesignWidth(place.width());
    grid->setAccessibleName(title);
    grid->hide();
    return grid;
}

QFont sansBold(double size)
{
    return designFont(QStringLiteral("MS Sans Serif"), size, true);
}

} // namespace

void Form1::buildControls()
{
    registerDesignFontSubstitutes();
    installAccessibleControls();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Varnoth"));
    setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25));

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setMinimumSize(clientWidth, clientHeight);
    client_->resize(clientWidth, clientHeight);
    setCentralWidget(client_);

    Line1 = named(new QFrame(client_), "Line1");
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Line1->setGeometry(0, 0, clientWidth, 2);

    buildCommandStrip();
    buildResultsArea();
    buildFilters();
    buildSummaryLabels();
    buildBrowsePanel();
    buildMenus();
    buildTabOrder();
    anchorControls();
    fitToScreen();
}

// The content scrolls inside the window: at its design size or larger it
// fills the window (the lists taking what is beyond the design size), in a
// smaller window it keeps its design size and scrolls. The window opens at
// the design size, or as large as the screen's free area allows (at a
// high scale, 1494 x 881 device pixels at 144 dpi can outgrow the screen),
// unless the user's last size and place are remembered.
void Form1::fitToScreen()
{
    scroller_ = new QScrollArea(this);
    scroller_->setObjectName(QStringLiteral("scroller"));
    scroller_->setFrameShape(QFrame::NoFrame);
    scroller_->setFocusPolicy(Qt::NoFocus); // the controls inside take the focus; Tab scrolls to them
    scroller_->setWidgetResizable(true);
    scroller_->setWidget(takeCentralWidget());
    setCentralWidget(scroller_);
    client_->installEventFilter(this);
    const QSize full(clientWidth, clientHeight + menuBar()->sizeHint().height());
    resize(full.boundedTo(screenRoom(*this)));
    restoreWindowPlace();
}

void Form1::restoreWindowPlace()
{
    const QByteArray place = UserState().value(QStringLiteral("window/geometry")).toByteArray();
    if (!place.isEmpty())
        restoreGeometry(place);
}

void Form1::saveWindowPlace()
{
    UserState().setValue(QStringLiteral("window/geometry"), saveGeometry());
}

// How each control follows the window's growth, recorded from the design
// places the controls were built at. Parents come before their children.
void Form1::anchorControls()
{
    const double left3 = grid1Share;
    const double right3 = grid1Share + grid3Share;
    const auto anchor = [this](QWidget *widget, double left, double right, double top, double bottom) {
        anchors_.push_back({widget, widget->geometry(), left, right, top, bottom});
    };
    anchor(Line1, 0, 1, 0, 0);
    anchor(Pohja, 0, 1, 0, 0);
    anchor(Command10, 1, 1, 0, 0);
    anchor(Pohja2, 0, 1, 0, 1);
    anchor(grid1, 0, left3, 0, 1);
    anchor(Label8, left3, left3, 0, 0);
    anchor(grid3, left3, right3, 0, 1);
    anchor(Label3, right3, right3, 0, 0);
    anchor(grid2, right3, 1, 0, 1);
    anchor(Picture4, left3, 1, 0, 1);
    anchor(grid4, 0, 1, 0, 1);
    anchor(Command8, 1, 1, 1, 1);
    anchor(Picture5, 0, right3, 0, 1);
    anchor(grid5, 0, 1, 0, 1);
    anchor(Command9, 1, 1, 1, 1);
    anchor(Command3, 0, 0, 1, 1);
    anchor(Command4, 1, 1, 1, 1);
    for (QLabel *label :
         client_->findChildren<QLabel *>(QRegularExpression(QStringLiteral("^Label\\d+$")), Qt::FindDirectChildrenOnly))
        anchor(label, 0, 0, 1, 1); // the summary
    anchor(Picture3, 0.5, 0.5, 0.5, 0.5);
}

// Moves and sizes the anchored controls for the client's size. At the
// design size every control is at its design place.
void Form1::placeControls()
{
    const auto growth = [this](const QWidget *parent) {
        if (parent == client_)
            return QSize(std::max(0, client_->width() - clientWidth), std::max(0, client_->height() - clientHeight));
        for (const Anchor &a : anchors_)
            if (a.widget == parent)
                return parent->size() - a.design.size();
        return QSize();
    };
    for (const Anchor &a : anchors_) {
        const QSize extra = growth(a.widget->parentWidget());
        const auto shift = [](int edge, double share, int room) {
            return edge + static_cast<int>(std::lround(share * room));
        };
        const int left = shift(a.design.left(), a.left, extra.width());
        const int top = shift(a.design.top(), a.top, extra.height());
        if (a.left == a.right && a.top == a.bottom) {
            a.widget->move(left, top); // keeps its size (a label fits its caption)
            continue;
        }
        const int right = shift(a.design.left() + a.design.width(), a.right, extra.width());
        const int bottom = shift(a.design.top() + a.design.height(), a.bottom, extra.height());
        a.widget->setGeometry(left, top, right - left, bottom - top);
    }
    Label21->setRoom(Picture4->width() - Label21->x() - 6);
    Label22->setRoom(Picture5->width() - Label22->x() - 6);
    placeFilters();
    placeLogPath();
}

// Each list's filter field stands at the right end of its title row, its
// count ("n of N") after the title.
void Form1::placeFilters()
{
    for (const ListFilter &filter : filters_) {
        const QRect grid = filter.grid->geometry();
        const int width = std::clamp(grid.width() * 2 / 5, 96, 240);
        filter.field->setGeometry(grid.right() + 1 - width, 0, width, grid.top() - 1);
        const int countLeft = filter.title->geometry().right() + 7;
        filter.count->move(countLeft, filter.title->y());
        filter.count->setRoom(filter.field->x() - 4 - countLeft);
    }
}

// The log path label takes the strip's width, less the range beside it.
void Form1::placeLogPath()
{
    const int rangeRoom = rangeLabel_->isHidden() ? 0 : rangeLabel_->width() + 24;
    Label9->setRoom(Pohja->width() - Label9->x() - 8 - rangeRoom);
    rangeLabel_->move(Label9->geometry().right() + 24, Label9->y());
}

// Tab follows the layout: the command strip, the browse panel drawn below
// it, the three lists left to right (each after its filter field), each
// view's grid and Close Stats over them, then the two buttons under the
// lists. Hidden and disabled controls
// are passed over.
void Form1::buildTabOrder()
{
    QWidget *const order[] = {Command1, Command5,
                              Text1,    Command10,
                              Drive1,   Dir1,
                              File1,    Command6,
                              Command7, filters_[0].field,
                              grid1,    filters_[1].field,
                              grid3,    filters_[2].field,
                              grid2,    grid4,
                              Command8, grid5,
                              Command9, Command3,
                              Command4};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void Form1::buildCommandStrip()
{
    QWidget *client = centralWidget();
    Pohja = makePanel(client, "Pohja", {0, 2, clientWidth, 66}, QFrame::NoFrame);
    Pohja->setAccessibleName(QStringLiteral("Commands"));

    Command1 = makeButton(Pohja, "Command1", QStringLiteral("Analyze"), {8, 6, 97, 25});
    Command1->hide();
    Label5 = makeLabel(Pohja, "Label5", QStringLiteral("Progress Bar :"), {113, 10}, sansBold(9.75));
    Label5->hide();

    auto *frame = named(new ProgressFrame(Pohja), "Picture1");
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setGeometry(232, 9, 440, 18);
    frame->setAutoFillBackground(true);
    frame->setAccessibleName(QStringLiteral("Progress Bar :"));
    Picture1 = frame;
    Picture1->hide();
    Picture2 = named(new QWidget(Picture1), "Picture2");
    frame->setFill(Picture2);
    Picture2->setAutoFillBackground(true);
    QPalette fill = Picture2->palette();
    fill.setColor(QPalette::Window, QColor(0, 192, 0));
    Picture2->setPalette(fill);
    Picture2->setGeometry(Picture1->contentsRect().x(), Picture1->contentsRect().y(), 0,
                          Picture1->contentsRect().height());

    Label23 = makeLabel(Pohja, "Label23", QStringLiteral("Lines Completed :"), {690, 10}, sansBold(9.75));
    Label23->hide();

    Command5 = makeButton(Pohja, "Command5", QStringLiteral("Browse"), {8, 36, 97, 25});
    Command5->hide();
    Label9 = makeLabel<ElidedLabel>(Pohja, "Label9", QString(), {113, 41}, sansBold(9.75));
    Label9->setCaption(QStringLiteral("Upload log file:"));
    Text1 = named(new QLineEdit(Pohja), "Text1");
    Text1->setGeometry(250, 38, 500, 22);
    // A screen reader names the path field after the label beside it.
    Label9->setBuddy(Text1);
    rangeLabel_ = makeLabel(Pohja, "rangeLabel", QString(), {113, 41}, sansBold(9.75));
    rangeLabel_->hide();
    // Stops the read that runs; stands where Browse stands, which no read shows.
    cancelButton_ = makeButton(Pohja, "cancelButton", QStringLiteral("Cancel"), {8, 36, 97, 25});
    cancelButton_->hide();
    Command10 = makeButton(Pohja, "Command10", QStringLiteral("Save Results"), {880, 36, 105, 25});
    Command10->setToolTip(QStringLiteral("Not yet Implemented"));
    Command10->setEnabled(false);
    Command10->hide();
}

void Form1::buildResultsArea()
{
    QWidget *client = centralWidget();
    Pohja2 = makePanel(client, "Pohja2", {0, 70, clientWidth, 364}, QFrame::NoFrame);
    Pohja2->setAccessibleName(QStringLiteral("Results"));
    const QFont plain = font();
    const QFont serif = designFont(QStringLiteral("MS Serif"), 8.25);
    const QFont small = designFont(QStringLiteral("Small Fonts"), 6.75);
    const QFont sans = designFont(QStringLiteral("MS Sans Serif"), 8.25);

    Label2 = makeLabel(Pohja2, "Label2", QStringLiteral("Top Downloaders:"), {8, 3}, plain);
    Label2->hide();
    grid1 = makeGrid(Pohja2, "grid1", 4, options_.numberFormat, serif, {8, 20, 282, 340}, Label2->text());
    grid1->setToolTip(QStringLiteral("Click Mbytes or Uploads column to sort list or invert sorting"));
    Label8 = makeLabel(Pohja2, "Label8", QStringLiteral("Most Accessed Folders:"), {298, 3}, plain);
    Label8->hide();
    grid3 = makeGrid(Pohja2, "grid3", 2, options_.numberFormat, small, {298, 20, 272, 340}, Label8->text());
    Label3 = makeLabel(Pohja2, "Label3", QStringLiteral("Most Downloaded files"), {578, 3}, plain);
    Label3->hide();
    grid2 = makeGrid(Pohja2, "grid2", 2, options_.numberFormat, small, {578, 20, 410, 340}, Label3->text());
    // Paths keep their columns' widths and are shortened with "…" instead.
    grid3->setColElides(0);
    grid2->setColElides(0);

    Picture4 = makePanel(Pohja2, "Picture4", {294, 0, clientWidth - 294, 364}, QFrame::Box);
    Label21 = makeLabel<ElidedLabel>(Picture4, "Label21", QString(), {6, 3}, sansBold(9.75));
    Label21->setCaption(QStringLiteral("Files Downloaded By"));
    grid4 = makeGrid(Picture4, "grid4", 3, options_.numberFormat, serif, {6, 22, 690, 306}, Label21->text());
    grid4->setColElides(0);
    grid4->show();
    Command8 = makeButton(Picture4, "Command8", QStringLiteral("Close Stats"), {599, 333, 97, 25});
    Picture4->setAccessibleName(Label21->text());
    Picture4->hide();

    Picture5 = makePanel(Pohja2, "Picture5", {0, 0, 574, 364}, QFrame::Box);
    Label22 = makeLabel<ElidedLabel>(Picture5, "Label22", QString(), {8, 3}, sansBold(8.25));
    Label22->setCaption(QStringLiteral("File has been uploated to:"));
    grid5 = makeGrid(Picture5, "grid5", 3, options_.numberFormat, sans, {8, 22, 560, 306}, Label22->text());
    grid5->show();
    Command9 = makeButton(Picture5, "Command9", QStringLiteral("Close Stats"), {471, 333, 97, 25});
    Picture5->setAccessibleName(Label22->text());
    Picture5->hide();

    Command3 = makeButton(client, "Command3", QStringLiteral("Select any name by clicking it"), {8, 438, 420, 25});
    Command3->setEnabled(false);
    Command3->hide();
    Command4 = makeButton(client, "Command4", QStringLiteral("Select any file by clicking it"), {568, 438, 420, 25});
    Command4->setEnabled(false);
    Command4->hide();
}

// A filter field above each list, hidden with the list until a run has
// filled it. The panels of the views cover the filters of the lists they
// cover; the keyboard goes to the view's grid and comes back to the list
// it was opened from.
void Form1::buildFilters()
{
    const QFont small = designFont(QStringLiteral("MS Sans Serif"), 8.25);
    const std::array<std::pair<Grid *, QLabel *>, 3> lists{{{grid1, Label2}, {grid3, Label8}, {grid2, Label3}}};
    for (std::size_t i = 0; i < lists.size(); ++i) {
        const auto [grid, title] = lists[i];
        const QString name = grid->objectName();
        auto *field = new QLineEdit(Pohja2);
        field->setObjectName(name + QStringLiteral("Filter"));
        field->setFont(small);
        field->setPlaceholderText(QStringLiteral("Filter (Ctrl+F)"));
        field->setAccessibleName(QStringLiteral("Filter ") + title->text());
        field->setClearButtonEnabled(true);
        field->hide();
        auto *count = makeLabel<ElidedLabel>(Pohja2, "", QString(), title->pos(), small);
        count->setObjectName(name + QStringLiteral("FilterCount"));
        count->hide();
        filters_[i] = {grid, title, field, count};
        grid->setFilterable(true);
        grid->installEventFilter(this); // the field is enabled with its list
    }
    new PanelCover(
        Picture4,
        {Label8, grid3, filters_[1].field, filters_[1].count, Label3, grid2, filters_[2].field, filters_[2].count},
        grid4, grid1);
    new PanelCover(
        Picture5,
        {Label2, grid1, filters_[0].field, filters_[0].count, Label8, grid3, filters_[1].field, filters_[1].count},
        grid5, grid2);
}

void Form1::buildSummaryLabels()
{
    struct Place {
        const char *name;
        int column;
        int row;
    };
    // Three columns, top to bottom; captions are written by the run.
    static constexpr Place places[] = {
        {"Label1", 0, 0},  {"Label4", 0, 1},  {"Label11", 0, 2}, {"Label14", 0, 3}, {"Label6", 0, 4},
        {"Label17", 0, 5}, {"Label18", 0, 6}, {"Label12", 1, 0}, {"Label13", 1, 1}, {"Label7", 2, 0},
        {"Label10", 2, 1}, {"Label15", 2, 2}, {"Label16", 2, 3}, {"Label19", 2, 4},
    };
    static constexpr int columnX[] = {8, 352, 606};
    for (const Place &place : places) {
        const QString caption = QString::fromLatin1(place.name) == QLatin1String("Label11")
                                    ? QStringLiteral("Total MB's Uploaded :")
                                    : QString();
        QLabel *label = makeLabel(centralWidget(), place.name, caption, {columnX[place.column], 468 + 14 * place.row},
                                  sansBold(8.25));
        label->hide();
    }
}

void Form1::buildBrowsePanel()
{
    auto *panel = makePanel(centralWidget(), "Picture3", {248, 76, 500, 326}, QFrame::Panel);
    Picture3 = panel;
    QPalette grey = Picture3->palette();
    grey.setColor(QPalette::Window, QColor(192, 192, 192));
    Picture3->setPalette(grey);

    Label20 = makeLabel(Picture3, "Label20", QStringLiteral("Select your Upload.log file to analyze:"), {8, 6}, font());
    Label20->setAutoFillBackground(true);
    Picture3->setAccessibleName(Label20->text());

    // The three lists have no caption of their own: a screen reader names
    // them after the panel's title and tells them apart by what they hold.
    Dir1 = named(new FolderList(Picture3), "Dir1");
    Dir1->setGeometry(8, 26, 238, 200);
    Dir1->setAccessibleName(Label20->text());
    Dir1->setAccessibleDescription(QStringLiteral("Folders"));
    File1 = named(new FileList(Picture3), "File1");
    File1->setGeometry(254, 26, 238, 200);
    File1->setAccessibleName(Label20->text());
    File1->setAccessibleDescription(QStringLiteral("Log files (*.log)"));
    Drive1 = named(new DriveList(Picture3), "Drive1");
    Drive1->setGeometry(8, 232, 484, 24);
    Drive1->setAccessibleName(Label20->text());
    Drive1->setAccessibleDescription(QStringLiteral("Drives"));
    Command6 = makeButton(Picture3, "Command6", QStringLiteral("OK"), {400, 262, 92, 25});
    Command7 = makeButton(Picture3, "Command7", QStringLiteral("Cancel"), {400, 292, 92, 25});
    Picture3->raise();
    Picture3->hide();
}

// Every menu of the window is built here: the menu bar with its mnemonics
// (unique within each menu) and shortcuts, and the lists' context menu.
void Form1::buildMenus()
{
    filevalikko = named(menuBar()->addMenu(QStringLiteral("&File")), "filevalikko");
    openAction_ = named(filevalikko->addAction(QStringLiteral("&Open logs\u2026")), "openAction");
    openAction_->setShortcut(QKeySequence::Open);
    recentMenu_ = named(filevalikko->addMenu(QStringLiteral("&Recent logs")), "recentMenu");
    filevalikko->addSeparator();
    // Export is offered once a run has completed (showResults enables it).
    exportvalikko = named(filevalikko->addAction(QStringLiteral("E&xport results…")), "exportvalikko");
    exportvalikko->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    exportvalikko->setEnabled(false);
    filevalikko->addSeparator();
    exitvalikko = named(filevalikko->addAction(QStringLiteral("&Exit")), "exitvalikko");
    // The menu item ends the program as Exit; Ctrl+Q as Quit once a run has
    // completed (eventFilter takes the shortcut).
    exitvalikko->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    exitvalikko->installEventFilter(this);
    viewMenu_ = named(menuBar()->addMenu(QStringLiteral("&View")), "viewMenu");
    activityAction_ = named(viewMenu_->addAction(QStringLiteral("&Activity\u2026")), "activityAction");
    activityAction_->setEnabled(false); // until a run has completed
    refreshAction_ = named(viewMenu_->addAction(QStringLiteral("&Refresh")), "refreshAction");
    refreshAction_->setShortcut(QKeySequence(Qt::Key_F5));
    refreshAction_->setEnabled(false); // until a run has completed
    followAction_ = named(viewMenu_->addAction(QStringLiteral("&Follow log")), "followAction");
    followAction_->setCheckable(true);
    followAction_->setChecked(UserState().value(QStringLiteral("view/follow"), false).toBool());
    helppivalikko = named(menuBar()->addMenu(QStringLiteral("&Help")), "helppivalikko");
    aboutvalikko = named(helppivalikko->addAction(QStringLiteral("&About")), "aboutvalikko");
    aboutvalikko->setShortcut(QKeySequence(Qt::Key_F1));

    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, &Form1::findInList);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &Form1::Form1_Escape);
}

// The context menu of a list, over data row `row` (0: none): Copy, Copy all
// rows, the Show… action for that row (Top Downloaders, Most Downloaded
// files), Export this list….
void Form1::showListMenu(Grid *grid, int row, const QPoint &at)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("listMenu"));
    QAction *copy = menu.addAction(QStringLiteral("&Copy"), grid, &Grid::copySelectedRows);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(grid->shownRowCount() > 0);
    menu.addAction(QStringLiteral("Copy &all rows"), grid, &Grid::copyAllRows)->setEnabled(grid->shownRowCount() > 0);
    const bool names = grid == grid1;
    if ((names || grid == grid2) && row >= 1) {
        const std::string &text = grid->cellUtf8(row, 0);
        const QString caption = names ? showPersonalCaption(text) : showFileCaption(text);
        menu.addAction(QLatin1Char('&') + caption, this, [this, grid, row, names] {
            grid->setRow(row);
            grid->setCol(0);
            if (names) {
                armNameButton(*grid1, *Command3);
                personalStats_->open();
            } else {
                armFileButton(*grid2, *Command4);
                fileStats_->open();
            }
        });
    }
    menu.addSeparator();
    menu.addAction(QStringLiteral("&Export this list…"), this, [this, grid] { exportThisList(grid); });
    menu.exec(at);
}

} // namespace varnoth
