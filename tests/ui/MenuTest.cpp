// The Options menu: switching sets between games, failed loads, and errors in handlers.
#include <stdexcept>

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

#include "game/Board.h"
#include "tests/ui/FormFixture.h"

namespace velmo::test {
namespace {

class MenuTest : public FormTest {
  protected:
    void SetUp() override {
        WriteDefaultSet();
        WriteSet("Bis.kxd", CompleteSet("Bis (defaut)", 1));
        WriteSet("Autre.kxd", CompleteSet("Autre", 2));
        TKxdWriter NotASet = CompleteSet("Faux", 3);
        NotASet.LeadingTag[1] = std::byte{'Y'};
        WriteSet("Faux.kxd", NotASet);
        TKxdWriter BrokenPicture = CompleteSet("Casse", 4);
        BrokenPicture.Entries[9].Payload = TBytes(80, std::byte{0x17});
        WriteSet("Casse.kxd", BrokenPicture);
        Open();
    }
};

TEST_F(MenuTest, CheckingAnEntryClearsTheOthersAndShowsItsPictures) {
    EXPECT_EQ(CheckedEntries(), (std::vector<QString>{"Bis (defaut)", "Classique (defaut)"}));
    ASSERT_NE(Entry("Autre")->actionGroup(), nullptr);
    EXPECT_TRUE(Entry("Autre")->actionGroup()->isExclusive());  // drawn as radio items
    Entry("Autre")->trigger();
    EXPECT_EQ(CheckedEntries(), std::vector<QString>{"Autre"});
    EXPECT_EQ(ShownBoard(2), kAllFaces);

    Entry("Bis (defaut)")->trigger();
    EXPECT_EQ(CheckedEntries(), std::vector<QString>{"Bis (defaut)"});
    EXPECT_EQ(ShownBoard(1), kAllFaces);
}

TEST_F(MenuTest, ClickingTheCheckedEntryClearsItsMarkAndReloadsIt) {
    Entry("Autre")->trigger();
    WriteSet("Autre.kxd", CompleteSet("Autre", 5));  // the file changed since it was loaded
    Entry("Autre")->trigger();
    EXPECT_TRUE(CheckedEntries().empty());
    EXPECT_EQ(ShownBoard(5), kAllFaces);
}

TEST_F(MenuTest, FailedLoadChangesNoPictureAndPutsTheMarkBackOnTheShownSet) {
    Entry("Autre")->trigger();

    Entry("Faux")->trigger();  // not a card set: said, naming the file; nothing changes
    ASSERT_EQ(Recorder.Messages.size(), 1u);
    EXPECT_EQ(Recorder.Messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(Recorder.Messages[0].Title, "Velmo");
    EXPECT_EQ(Recorder.Messages[0].Text, "Faux.kxd n'est pas un ensemble de cartes.");
    EXPECT_EQ(CheckedEntries(), std::vector<QString>{"Autre"});
    EXPECT_EQ(ShownBoard(2), kAllFaces);

    Entry("Casse")->trigger();  // a picture the decoder refuses: reported, nothing changes
    ASSERT_EQ(Recorder.Messages.size(), 2u);
    EXPECT_EQ(Recorder.Messages[1].Kind, TMessageKind::Error);
    EXPECT_EQ(Recorder.Messages[1].Title, "Velmo");
    EXPECT_FALSE(Recorder.Messages[1].Text.isEmpty());
    EXPECT_EQ(CheckedEntries(), std::vector<QString>{"Autre"});
    EXPECT_EQ(ShownBoard(2), kAllFaces);
    EXPECT_TRUE(Form->isVisible());  // the program goes on
}

TEST_F(MenuTest, ErrorInAPaintIsReportedOnceAfterThePaintAndTheProgramGoesOn) {
    Form->Board.Cards[1][2].Value = 12;
    Grab();
    Grab();
    EXPECT_TRUE(Recorder.Messages.empty());  // never from inside the paint event
    QCoreApplication::processEvents();
    ASSERT_EQ(Recorder.Messages.size(), 1u);
    EXPECT_EQ(Recorder.Messages[0].Title, "Velmo");
    EXPECT_EQ(Recorder.Messages[0].Text, "Valeur de carte hors limites");

    Form->Board.Cards[1][2].Value = 5;
    EXPECT_EQ(ShownBoard(), kAllFaces);
}

TEST(GuardedHandler, ExceptionIsReportedWithItsMessageAndGoesNoFurther) {
    TMessageRecorder Recorder;
    Guarded(nullptr, [] { throw std::runtime_error("Erreur de lecture du flux"); });
    Guarded(nullptr, [] { throw 42; });
    Guarded(nullptr, [] {});
    ASSERT_EQ(Recorder.Messages.size(), 2u);
    EXPECT_EQ(Recorder.Messages[0].Title, "Velmo");
    EXPECT_EQ(Recorder.Messages[0].Text, "Erreur de lecture du flux");
    EXPECT_EQ(Recorder.Messages[1].Text, "Erreur inconnue");
}

}  // namespace
}  // namespace velmo::test
