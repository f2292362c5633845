// The main window: its components, start-up, menus, timer, painting and pointer input.
#include "ui/Main.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QFile>
#include <QFontMetrics>
#include <QHideEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

#include "game/Errors.h"
#include "ui/Dialogs.h"

namespace velmo {
namespace {

// A fixed border with the system menu, minimize and close buttons; no maximize button.
constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

const QString kLoadErrorText = QStringLiteral("Imposible de charger le jeux.");
const QString kDefaultMark = QStringLiteral("(defaut)");
constexpr const char* kSetExtension = ".kxd";
constexpr int kBoardLeft = 10;
constexpr int kBoardTopOffset = 250;  // the board's top is half the paint height minus this
constexpr int kCounterRightOffset = 120;
constexpr int kCounterTop = 10;
constexpr int kCounterPointSize = 14;
const QColor kBackgroundColour{116, 84, 156};
const QColor kCounterColour{255, 255, 255};

std::unique_ptr<TRandomSource> OrClock(std::unique_ptr<TRandomSource> Random) {
    return Random ? std::move(Random) : std::make_unique<TClockRandom>();
}

// The caption of a set whose name cannot be read: its file name without ".kxd".
QString FileCaption(const std::string& Entry) {
    const std::string Extension = kSetExtension;
    std::string Stem = Entry;
    if (Stem.size() >= Extension.size() &&
        Stem.compare(Stem.size() - Extension.size(), Extension.size(), Extension) == 0) {
        Stem.resize(Stem.size() - Extension.size());
    }
    return QFile::decodeName(QByteArray::fromStdString(Stem));
}

// Menu texts treat "&" as a shortcut marker; a set name shows it as written.
QString MenuText(QString Caption) {
    return Caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// Said when a chosen set file turns out to hold no card set: without it the click would seem
// to have been ignored.
QString NotACardSet(const std::string& Entry) {
    return QStringLiteral("%1 n'est pas un ensemble de cartes.")
        .arg(QFile::decodeName(QByteArray::fromStdString(Entry)));
}

QString FileError(const std::string& Entry, const std::exception& Error) {
    return QStringLiteral("%1 : %2").arg(QFile::decodeName(QByteArray::fromStdString(Entry)),
                                         QString::fromUtf8(Error.what()));
}

}  // namespace

TForm1::TForm1(std::string Folder, std::unique_ptr<TRandomSource> RandomSource)
    : QMainWindow(nullptr, kWindowFlags),
      CardSetsFolder(std::move(Folder)),
      Random(OrClock(std::move(RandomSource))),
      Game(Board, *Random) {
    CreateComponents();
    try {
        FormCreate();
    } catch (const std::exception& Error) {
        // Without a finished start-up there is no board to play on.
        ShowError(this, Error);
        ShowLoadError();
    }
    CentreOnScreen();
}

TForm1::~TForm1() {
    Guarded(this, [this] { FormDestroy(); });
}

void TForm1::CreateComponents() {
    setWindowTitle(QStringLiteral("Velmo"));

    PaintBox1 = new TPaintBox(*this, this);
    setCentralWidget(PaintBox1);

    MainMenu1 = menuBar();
    MainMenu1->setNativeMenuBar(false);  // the paint area sits right under the menu bar
    Partie1 = MainMenu1->addMenu(QStringLiteral("Partie"));
    Nouvelle1 = Partie1->addAction(QStringLiteral("Nouvelle"));
    N1 = Partie1->addSeparator();
    Quitter1 = Partie1->addAction(QStringLiteral("Quitter"));
    Options1 = MainMenu1->addMenu(QStringLiteral("Options"));
    Ensembles1 = Options1->addMenu(QStringLiteral("Ensembles"));
    // Members of an exclusive group are drawn as radio items. The group only unchecks the
    // previous choice; CardsSetsClick keeps the marks right, and an optional group lets the
    // checked entry be cleared by a click.
    CardSetGroup = new QActionGroup(Ensembles1);
    CardSetGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);

    Timer1 = new QTimer(this);
    Timer1->setInterval(kTimerInterval);
    Timer1->setTimerType(Qt::PreciseTimer);

    connect(Timer1, &QTimer::timeout, this, [this] { Guarded(this, [this] { Timer1Timer(); }); });
    connect(Nouvelle1, &QAction::triggered, this,
            [this] { Guarded(this, [this] { Nouvelle1Click(); }); });
    connect(Quitter1, &QAction::triggered, this,
            [this] { Guarded(this, [this] { Quitter1Click(); }); });
    connect(Options1, &QMenu::aboutToShow, this,
            [this] { Guarded(this, [this] { Options1Click(); }); });

    // The window takes the size of the menu bar and the paint area, and keeps it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    CounterFont = QFont(QStringLiteral("Arial"));
    CounterFont.setPointSize(kCounterPointSize);
    PaintBox1->setFont(CounterFont);  // painters on the paint area start with it
    CounterPen = QPen(kCounterColour);
    CounterText.setTextFormat(Qt::PlainText);
    CounterText.setPerformanceHint(QStaticText::AggressiveCaching);
}

void TForm1::FormCreate() {
    // The random source was seeded from a clock when it was made; Qt paints double-buffered.
    CreateCardImages(CardImages);
    CardSetFiles.clear();

    TPathScanner Scanner;
    Scanner.Folder = CardSetsFolder;
    Scanner.Extension = kSetExtension;
    Scanner.FilterByExtension = true;
    Scanner.OnPause = [] { QCoreApplication::processEvents(); };
    Scanner.Scan(CardSetFiles);
    if (CardSetFiles.empty()) {
        ShowLoadError();
        return;
    }

    for (std::size_t Index = 0; Index < CardSetFiles.size(); ++Index) {
        AddCardSetEntry(Index);
    }

    QString Name;
    bool Loaded = false;
    try {
        Loaded =
            LoadCardSet(std::filesystem::path(CardSetsFolder + kDefaultSetFile), CardImages, Name);
    } catch (const std::exception& Error) {
        ShowError(this, FileError(kDefaultSetFile, Error));
    }
    if (!Loaded) {
        ShowLoadError();
        return;
    }
    const auto Default = std::find(CardSetFiles.begin(), CardSetFiles.end(), kDefaultSetFile);
    ShownSet = Default == CardSetFiles.end() ? -1 : Default - CardSetFiles.begin();

    Board.LayoutCards(kBoardLeft, PaintBox1->height() / 2 - kBoardTopOffset);
    Board.DealCards(*Random);
    GameChanged();
}

// One entry under "Ensembles". A set that cannot be read still gets its entry; an error while
// reading it is reported, naming the file, and start-up goes on with the other sets.
void TForm1::AddCardSetEntry(std::size_t Index) {
    const std::string& Entry = CardSetFiles[Index];
    QString Caption = FileCaption(Entry);
    try {
        QString Name;
        if (ReadCardSetName(std::filesystem::path(CardSetsFolder + Entry), Name)) {
            Caption = Name;
        }
    } catch (const std::exception& Error) {
        ShowError(this, FileError(Entry, Error));
    }

    auto* Item = new QAction(MenuText(Caption), Ensembles1);
    Item->setData(QVariant::fromValue<qulonglong>(Index));
    Item->setCheckable(true);
    // Marked before it joins the group, so every "(defaut)" set starts checked.
    Item->setChecked(Caption.contains(kDefaultMark));
    CardSetGroup->addAction(Item);
    connect(Item, &QAction::triggered, this,
            [this, Item] { Guarded(this, [this, Item] { CardsSetsClick(Item); }); });
    Ensembles1->addAction(Item);
    SetEntries.push_back(Item);
}

void TForm1::FormShow() {
    Timer1->start();
}

void TForm1::FormHide() {
    Timer1->stop();
}

void TForm1::FormDestroy() {
    Timer1->stop();
    FreeCardImages(CardImages);
    CardSetFiles.clear();
}

void TForm1::showEvent(QShowEvent* Event) {
    QMainWindow::showEvent(Event);
    // Spontaneous events come from the window system (restoring from the taskbar).
    if (!Event->spontaneous()) {
        Guarded(this, [this] { FormShow(); });
    }
}

void TForm1::hideEvent(QHideEvent* Event) {
    QMainWindow::hideEvent(Event);
    if (!Event->spontaneous()) {
        Guarded(this, [this] { FormHide(); });
    }
}

// Paints at once, then advances the reveal: what the tick changes shows on the next tick.
void TForm1::Timer1Timer() {
    PaintBox1->repaint();
    Game.Tick();
    GameChanged();
}

void TForm1::Nouvelle1Click() {
    Game.NewGame();
    GameChanged();
}

void TForm1::Quitter1Click() {
    close();
}

// The card set can be changed only between games.
void TForm1::Options1Click() {
    Options1->menuAction()->setEnabled(!Game.State().Playing);
}

// Qt has already toggled the clicked entry. Checking an entry clears the others; clicking the
// checked one leaves it cleared, and the set is reloaded either way. A file that is no card set
// changes nothing and is reported, naming it.
void TForm1::CardsSetsClick(QAction* Item) {
    if (Item->isChecked()) {
        CheckOnly(Item);
    }
    const qulonglong Index = Item->data().toULongLong();
    if (Index >= CardSetFiles.size()) {
        CheckShownSet();
        throw TRangeError("Indice d'ensemble hors limites");
    }
    QString Name;
    bool Loaded = false;
    try {
        Loaded = LoadCardSet(std::filesystem::path(CardSetsFolder + CardSetFiles[Index]),
                             CardImages, Name);
    } catch (...) {
        CheckShownSet();
        throw;
    }
    if (!Loaded) {
        CheckShownSet();
        ShowError(this, NotACardSet(CardSetFiles[Index]));
        return;
    }
    ShownSet = static_cast<std::ptrdiff_t>(Index);
    PaintBox1->update();
}

void TForm1::CheckOnly(const QAction* Item) {
    for (QAction* Entry : SetEntries) {
        Entry->setChecked(Entry == Item);
    }
}

// A failed load changed no picture, so the mark goes back to the set on the board.
void TForm1::CheckShownSet() {
    for (std::size_t Index = 0; Index < SetEntries.size(); ++Index) {
        SetEntries[Index]->setChecked(static_cast<std::ptrdiff_t>(Index) == ShownSet);
    }
}

// Keeps what depends on the game state right after every handler that may change it: the
// Options menu follows Playing, and the counter's text is laid out once per value. The counter
// shows only during a game, so its font is not loaded before the first game: start-up is faster.
void TForm1::GameChanged() {
    Options1Click();
    const int32_t Chances = Game.State().Chances;
    if (Chances == CounterChances || !Game.State().Playing) {
        return;
    }
    CounterChances = Chances;
    const QString Text = QString::asprintf("Chances : %d", Chances);
    CounterText.setText(Text);
    CounterText.prepare(QTransform(), CounterFont);
    const QFontMetrics Metrics(CounterFont);
    CounterRect = QRect(PaintBox1->width() - kCounterRightOffset, kCounterTop,
                        Metrics.horizontalAdvance(Text), Metrics.height());
}

void TForm1::PaintBox1Paint(QPainter& Canvas) const {
    Canvas.fillRect(PaintBox1->rect(), kBackgroundColour);
    const TGameState& State = Game.State();
    for (const auto& Row : Board.Cards) {
        for (const TCard& Card : Row) {
            if (Card.Value >= kCardImageCount) {
                throw TRangeError("Valeur de carte hors limites");
            }
            // During a game a card shows its face only when turned or matched.
            const bool ShowFace = !State.Playing || Card.FaceUp || Card.Matched;
            const QImage& Picture = CardImages[ShowFace ? Card.Value : 0];
            if (!Picture.isNull()) {
                Canvas.drawImage(QPoint(Card.Bounds.Left, Card.Bounds.Top), Picture);
            }
        }
    }
    if (State.Playing) {
        // The text cell is filled with the background brush, then the text drawn over it.
        Canvas.fillRect(CounterRect, kBackgroundColour);
        // The paint area's own font is the counter font, so a painter on it needs no change.
        if (Canvas.font() != CounterFont) {
            Canvas.setFont(CounterFont);
        }
        Canvas.setPen(CounterPen);
        Canvas.drawStaticText(CounterRect.topLeft(), CounterText);
    }
}

void TForm1::PaintBox1MouseDown(Qt::MouseButtons Buttons, int X, int Y) {
    Game.Press(X, Y, Buttons.testFlag(Qt::LeftButton));
    GameChanged();
}

// The hand over a card that can be turned now, the arrow elsewhere; untouched between games.
void TForm1::PaintBox1MouseMove(int X, int Y) {
    if (!Game.State().Playing) {
        return;
    }
    const Qt::CursorShape Shape = Game.CanPickAt(X, Y) ? Qt::PointingHandCursor : Qt::ArrowCursor;
    if (PaintBox1->cursor().shape() != Shape) {
        PaintBox1->setCursor(Shape);
    }
}

void TForm1::PaintBox1MouseUp() {
    Game.Release();
    GameChanged();
}

// The warning, then the end of the program: the window closes and the entry, seeing
// LoadFailed, ends with a failure status instead of running the event loop.
void TForm1::ShowLoadError() {
    ShowWarning(this, kLoadErrorText);
    LoadFailure = true;
    close();
}

void TForm1::CentreOnScreen() {
    adjustSize();
    const QScreen* Screen = screen();
    if (Screen == nullptr) {
        return;
    }
    QRect Frame(QPoint(0, 0), size());
    Frame.moveCenter(Screen->availableGeometry().center());
    move(Frame.topLeft());
}

}  // namespace velmo
