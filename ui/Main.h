// The main window: start-up, the menus, the timer, painting the board and pointer input.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include <QColor>
#include <QFont>
#include <QMainWindow>
#include <QPen>
#include <QRect>
#include <QStaticText>

#include "cardset/KXDApi.h"
#include "cardset/PathScan.h"
#include "game/Board.h"
#include "game/Game.h"
#include "game/Random.h"
#include "ui/PaintBox.h"

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QPainter;
class QTimer;

namespace velmo {

inline constexpr int kTimerInterval = 45;  // milliseconds per tick
inline constexpr const char* kDefaultSetFile = "Default.kxd";

class TForm1 final : public QMainWindow {
  public:
    // CardSetsFolder ends with "/". Creating the window runs FormCreate.
    explicit TForm1(std::string CardSetsFolder,
                    std::unique_ptr<TRandomSource> Random = std::make_unique<TClockRandom>());
    ~TForm1() override;

    // True once start-up has reported the load failure: the program must end.
    bool LoadFailed() const { return LoadFailure; }

    void FormCreate();
    void FormShow();
    void FormHide();
    void FormDestroy();
    void Timer1Timer();
    void Nouvelle1Click();
    void Quitter1Click();
    void Options1Click();
    void CardsSetsClick(QAction* Item);
    void PaintBox1Paint(QPainter& Canvas) const;
    void PaintBox1MouseDown(Qt::MouseButtons Buttons, int X, int Y);
    void PaintBox1MouseMove(int X, int Y);
    void PaintBox1MouseUp();
    void ShowLoadError();

    // Components, owned by the window through Qt's parent chain.
    TPaintBox* PaintBox1 = nullptr;
    QTimer* Timer1 = nullptr;
    QMenuBar* MainMenu1 = nullptr;
    QMenu* Partie1 = nullptr;
    QAction* Nouvelle1 = nullptr;
    QAction* N1 = nullptr;
    QAction* Quitter1 = nullptr;
    QMenu* Options1 = nullptr;
    QMenu* Ensembles1 = nullptr;
    QActionGroup* CardSetGroup = nullptr;  // gives the set entries their radio look

    std::string CardSetsFolder;
    TStringList CardSetFiles;
    TCardImages CardImages;
    TBoard Board;
    std::unique_ptr<TRandomSource> Random;
    TGame Game;

  protected:
    void showEvent(QShowEvent* Event) override;
    void hideEvent(QHideEvent* Event) override;

  private:
    void CreateComponents();
    void AddCardSetEntry(std::size_t Index);
    void CheckOnly(const QAction* Item);
    void CheckShownSet();
    void GameChanged();
    void CentreOnScreen();

    std::vector<QAction*> SetEntries;  // the entries under Ensembles1, by index in CardSetFiles
    std::ptrdiff_t ShownSet = -1;      // index of the set whose pictures are in CardImages
    bool LoadFailure = false;

    // Cached so a frame allocates nothing: the counter's font, pen, laid-out text and cell.
    QFont CounterFont;
    QPen CounterPen;
    int CounterChances = -1;
    QStaticText CounterText;
    QRect CounterRect;
};

}  // namespace velmo
