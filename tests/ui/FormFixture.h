// Shared fixture of the window tests: card-set folders, a scripted deal, recorded messages,
// real mouse events on the paint area and pixel reads of what it paints.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QImage>
#include <QPoint>
#include <QTemporaryDir>

#include "game/Random.h"
#include "tests/support/KxdWriter.h"
#include "ui/Dialogs.h"
#include "ui/Main.h"

namespace velmo::test {

// Deals the pairs side by side in reading order: 1 1 2 2 3 3 / 4 4 5 5 6 6 / 7 7 8 8 9 9,
// for every deal.
class TScriptedDeal final : public TRandomSource {
  public:
    int32_t Draw(int32_t Bound) override;

  private:
    long Calls = 0;
};

inline constexpr const char* kAllFaces = "112233|445566|778899";
inline constexpr const char* kAllBacks = "000000|000000|000000";

// Replaces the message boxes for its lifetime and keeps what would have been shown.
class TMessageRecorder {
  public:
    TMessageRecorder();
    ~TMessageRecorder();
    TMessageRecorder(const TMessageRecorder&) = delete;
    TMessageRecorder& operator=(const TMessageRecorder&) = delete;

    std::vector<TMessage> Messages;

  private:
    TMessageSink Previous;
};

class FormTest : public ::testing::Test {
  protected:
    std::string FolderPath() const;  // ends with "/"
    void WriteSet(const std::string& File, const TKxdWriter& Writer) const;
    void WriteBytes(const std::string& File, const TBytes& Bytes) const;
    // Default.kxd, named "Classique (defaut)", in colour variant 0.
    void WriteDefaultSet() const;

    // Creates the window on the folder with the scripted deal, or the one given, and shows it.
    // Its timer is then stopped: the tests tick by calling the handler.
    void Open(std::unique_ptr<TRandomSource> Deal = std::make_unique<TScriptedDeal>());

    // The centre of a card on the paint area, from the board's fixed geometry.
    static QPoint CardCentre(int Column, int Row);

    void Press(QPoint Position, Qt::MouseButton Button = Qt::LeftButton);
    void Release(QPoint Position, Qt::MouseButton Button = Qt::LeftButton);
    void Move(QPoint Position);
    void Click(int Column, int Row, Qt::MouseButton Button = Qt::LeftButton);
    void DoubleClick(QPoint Position);
    void Ticks(int Count);
    void NewGame();

    QImage Grab() const;
    // What each card shows, as the slot numbers of Variant's colours in rows separated by "|";
    // "?" for a card showing none of them.
    std::string ShownBoard(int Variant = 0) const;
    bool CounterShown() const;
    QAction* Entry(const QString& Caption) const;
    std::vector<QString> CheckedEntries() const;  // sorted captions
    Qt::CursorShape Pointer() const;

    QTemporaryDir Folder;
    TMessageRecorder Recorder;
    std::unique_ptr<TForm1> Form;
};

// The paint area's pixel at a point, without its alpha.
QRgb PixelAt(const QImage& Image, QPoint Position);
QRgb Rgb(const QColor& Colour);
inline const QRgb kBackground = qRgb(116, 84, 156) & RGB_MASK;

}  // namespace velmo::test
