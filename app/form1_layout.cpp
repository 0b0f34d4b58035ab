// The window's controls, their places, captions, fonts and start states.
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

#include "accessible_controls.h"
#include "command_button.h"
#include "design_fonts.h"
#include "drive_list.h"
#include "file_list.h"
#include "folder_list.h"
#include "form1.h"
#include "panel_cover.h"
#include "progress_frame.h"
#include "views/grid.h"

namespace varnoth {

namespace {

constexpr int clientWidth = 996;
constexpr int clientHeight = 569;

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

QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption, const QPoint &place, const QFont &font)
{
    auto *label = named(new QLabel(caption, parent), name);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
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

    auto *client = new QWidget(this);
    client->setFixedSize(clientWidth, clientHeight);
    setCentralWidget(client);

    Line1 = named(new QFrame(client), "Line1");
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Line1->setGeometry(0, 0, clientWidth, 2);

    buildCommandStrip();
    buildResultsArea();
    buildSummaryLabels();
    buildBrowsePanel();
    buildMenus();
    buildTabOrder();
    fitToScreen();
}

// The layout is fixed at 996 x 569 pixels at 96 dpi. At a higher scale
// (1494 x 881 device pixels at 144 dpi) the window can outgrow the screen
// and lose its right column; then the content scrolls inside a window that
// fits the screen's available area. Where it fits, as at 96 dpi on any
// common screen, nothing changes.
void Form1::fitToScreen()
{
    // Room for a window manager's title bar and borders.
    constexpr QSize frameAllowance(16, 40);
    const QSize full = sizeHint();
    const QScreen *place = screen();
    const QSize room = place ? place->availableGeometry().size() - frameAllowance : full;
    if (full.width() <= room.width() && full.height() <= room.height()) {
        setFixedSize(full);
        return;
    }
    auto *scroller = new QScrollArea(this);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus); // the controls inside take the focus; Tab scrolls to them
    scroller->setWidget(takeCentralWidget());
    setCentralWidget(scroller);
    // A scroll bar in one direction takes room from the other; where that
    // room is there, the window grows by it instead of scrolling both ways.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroller);
    QSize fitted = full;
    if (full.width() > room.width())
        fitted.rheight() += bar;
    if (full.height() > room.height())
        fitted.rwidth() += bar;
    setMaximumSize(fitted);
    resize(fitted.boundedTo(room));
}

// Tab follows the layout: the command strip, the browse panel drawn below
// it, the three lists left to right, each view's grid and Close Stats over
// them, then the two buttons under the lists. Hidden and disabled controls
// are passed over.
void Form1::buildTabOrder()
{
    QWidget *const order[] = {Command1, Command5, Text1, Command10, Drive1,   Dir1,  File1,    Command6, Command7,
                              grid1,    grid3,    grid2, grid4,     Command8, grid5, Command9, Command3, Command4};
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
    Label9 = makeLabel(Pohja, "Label9", QStringLiteral("Upload log file:"), {113, 41}, sansBold(9.75));
    Text1 = named(new QLineEdit(Pohja), "Text1");
    Text1->setGeometry(250, 38, 500, 22);
    // A screen reader names the path field after the label beside it.
    Label9->setBuddy(Text1);
    rangeLabel_ = makeLabel(Pohja, "rangeLabel", QString(), {113, 41}, sansBold(9.75));
    rangeLabel_->hide();
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
    Label21 = makeLabel(Picture4, "Label21", QStringLiteral("Files Downloaded By"), {6, 3}, sansBold(9.75));
    grid4 = makeGrid(Picture4, "grid4", 3, options_.numberFormat, serif, {6, 22, 690, 306}, Label21->text());
    grid4->setColElides(0);
    grid4->show();
    Command8 = makeButton(Picture4, "Command8", QStringLiteral("Close Stats"), {599, 333, 97, 25});
    Picture4->setAccessibleName(Label21->text());
    Picture4->hide();

    Picture5 = makePanel(Pohja2, "Picture5", {0, 0, 574, 364}, QFrame::Box);
    Label22 = makeLabel(Picture5, "Label22", QStringLiteral("File has been uploated to:"), {8, 3}, sansBold(8.25));
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

    // A view covers two lists; the keyboard goes to its grid and comes back
    // to the list it was opened from.
    new PanelCover(Picture4, {Label8, grid3, Label3, grid2}, grid4, grid1);
    new PanelCover(Picture5, {Label2, grid1, Label8, grid3}, grid5, grid2);
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

void Form1::buildMenus()
{
    filevalikko = named(menuBar()->addMenu(QStringLiteral("&File")), "filevalikko");
    // Export is offered once a run has completed (showResults enables it).
    exportvalikko = named(filevalikko->addAction(QStringLiteral("&Export results…")), "exportvalikko");
    exportvalikko->setEnabled(false);
    filevalikko->addSeparator();
    exitvalikko = named(filevalikko->addAction(QStringLiteral("&Exit")), "exitvalikko");
    viewMenu_ = named(menuBar()->addMenu(QStringLiteral("&View")), "viewMenu");
    activityAction_ = named(viewMenu_->addAction(QStringLiteral("&Activity\u2026")), "activityAction");
    activityAction_->setEnabled(false); // until a run has completed
    helppivalikko = named(menuBar()->addMenu(QStringLiteral("&Help")), "helppivalikko");
    aboutvalikko = named(helppivalikko->addAction(QStringLiteral("&About")), "aboutvalikko");
}

} // namespace varnoth
