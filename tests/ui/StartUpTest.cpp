// Start-up: the window, the set entries, the default set and the refusal to start without it.
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "tests/ui/FormFixture.h"

namespace velmo::test {
namespace {

using StartUpTest = FormTest;

TEST_F(StartUpTest, WindowIsFixedWithAPaintAreaOf794By525UnderTheMenuBar) {
    WriteDefaultSet();
    Open();
    EXPECT_EQ(Form->windowTitle(), "Velmo");
    EXPECT_EQ(Form->PaintBox1->size(), QSize(794, 525));
    EXPECT_EQ(Form->PaintBox1->geometry().top(), Form->MainMenu1->geometry().bottom() + 1);
    EXPECT_EQ(Form->minimumSize(), Form->maximumSize());
    EXPECT_FALSE(Form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(Form->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));

    const std::vector<QString> Partie = {Form->Partie1->actions()[0]->text(),
                                         Form->Partie1->actions()[2]->text()};
    EXPECT_EQ(Partie, (std::vector<QString>{"Nouvelle", "Quitter"}));
    EXPECT_TRUE(Form->Partie1->actions()[1]->isSeparator());
    EXPECT_EQ(Form->Options1->title(), "Options");
    EXPECT_EQ(Form->Ensembles1->title(), "Ensembles");
}

TEST_F(StartUpTest, TimerTicksEvery45MsOnlyWhileTheWindowIsShown) {
    WriteDefaultSet();
    Form = std::make_unique<TForm1>(FolderPath(), std::make_unique<TScriptedDeal>());
    EXPECT_FALSE(Form->Timer1->isActive());
    Form->show();
    EXPECT_TRUE(Form->Timer1->isActive());
    EXPECT_EQ(Form->Timer1->interval(), 45);
    Form->hide();
    EXPECT_FALSE(Form->Timer1->isActive());
}

TEST_F(StartUpTest, BoardOpensWithEveryFaceOfTheDealAndNoCounter) {
    WriteDefaultSet();
    Open();
    EXPECT_EQ(ShownBoard(), kAllFaces);
    EXPECT_FALSE(CounterShown());
    EXPECT_TRUE(Form->Options1->menuAction()->isEnabled());
    EXPECT_TRUE(Recorder.Messages.empty());
}

// Pictures are drawn at their own size from the card's top-left corner, with their own
// transparency over the background, later cards over earlier ones.
TEST_F(StartUpTest, PicturesKeepTheirSizeAndTransparency) {
    TKxdWriter Writer = CompleteSet("Grand (defaut)");
    Writer.Entries[1].Payload = SolidPng(120, 180, SlotColour(1), /*TransparentCorner=*/true);
    WriteSet("Default.kxd", Writer);
    Open();
    const QImage Image = Grab();
    EXPECT_EQ(PixelAt(Image, {10, 12}), kBackground);           // card (0, 0)'s clear corner
    EXPECT_EQ(PixelAt(Image, {115, 100}), Rgb(SlotColour(1)));  // over the gap to its right
    EXPECT_EQ(PixelAt(Image, {50, 177}), Rgb(SlotColour(1)));   // over the gap below it
    EXPECT_EQ(PixelAt(Image, {235, 100}), Rgb(SlotColour(2)));  // card (2, 0) drawn over (1, 0)
    EXPECT_EQ(PixelAt(Image, {50, 187}), Rgb(SlotColour(4)));   // card (0, 1) drawn over it
}

struct TCaptionCase {
    std::string File;
    TBytes Bytes;
    QString Caption;
    bool Checked;
};

// Each file becomes one entry; a name that cannot be read gives the file name instead, and a
// mark is set on every name containing "(defaut)", case-sensitively.
TEST_F(StartUpTest, EverySetFileGetsOneEntryCaptionedByItsName) {
    WriteDefaultSet();
    TKxdWriter NotASet = CompleteSet("Faux");
    NotASet.TrailingTag[0] = std::byte{'X'};
    const std::vector<TCaptionCase> Cases = {
        {"Default.kxd", {}, "Classique (defaut)", true},
        {"Bis.kxd", CompleteSet("Bis (defaut)").Build(), "Bis (defaut)", true},
        {"Casse.kxd", CompleteSet("Casse (Defaut)").Build(), "Casse (Defaut)", false},
        {"Coeur.kxd", CompleteSet("C\x9cur").Build(), QString::fromUtf8("C\u0153ur"), false},
        {"Pile.kxd", CompleteSet("Pile & Face").Build(), "Pile && Face", false},
        {"Faux.kxd", NotASet.Build(), "Faux", false},
        {"Court.kxd", TBytes(40, std::byte{0}), "Court", false},
    };
    for (const TCaptionCase& Case : Cases) {
        if (!Case.Bytes.empty()) {
            WriteBytes(Case.File, Case.Bytes);
        }
    }
    std::filesystem::create_directory(FolderPath() + "Dossier.kxd");
    WriteSet("Ignore.KXD", CompleteSet("Ignore"));
    Open();

    EXPECT_EQ(Form->Ensembles1->actions().size(), static_cast<qsizetype>(Cases.size() + 1));
    for (const TCaptionCase& Case : Cases) {
        SCOPED_TRACE(Case.File);
        const QAction* Item = Entry(Case.Caption);
        ASSERT_NE(Item, nullptr);
        EXPECT_EQ(Item->isChecked(), Case.Checked);
        EXPECT_EQ(Form->CardSetFiles.at(Item->data().toULongLong()), Case.File);
    }
    EXPECT_NE(Entry("Dossier"), nullptr);
    EXPECT_TRUE(Recorder.Messages.empty());
}

TEST_F(StartUpTest, UnreadableSetIsReportedByNameAndStartUpGoesOn) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "file permissions do not stop root";
    }
    WriteDefaultSet();
    WriteSet("Ferme.kxd", CompleteSet("Ferme"));
    std::filesystem::permissions(FolderPath() + "Ferme.kxd", std::filesystem::perms::none);
    Open();
    ASSERT_EQ(Recorder.Messages.size(), 1u);
    EXPECT_EQ(Recorder.Messages[0].Title, "Velmo");
    EXPECT_TRUE(Recorder.Messages[0].Text.startsWith("Ferme.kxd : "));
    EXPECT_NE(Entry("Ferme"), nullptr);
    EXPECT_FALSE(Form->LoadFailed());
    EXPECT_EQ(ShownBoard(), kAllFaces);
}

struct TLoadFailureCase {
    const char* Name;
    std::vector<std::pair<std::string, TBytes>> Files;
    bool RemoveFolder = false;
    qsizetype Entries = 0;
    QString ErrorStart;  // the error reported before the warning, if any
};

TEST_F(StartUpTest, WithoutAUsableDefaultSetTheWarningShowsAndTheProgramEnds) {
    TKxdWriter BrokenPicture = CompleteSet("Classique (defaut)");
    BrokenPicture.Entries[5].Payload = TBytes(64, std::byte{0x42});
    TKxdWriter NoTrailer = CompleteSet("Classique (defaut)");
    NoTrailer.TrailingTag[7] = std::byte{1};
    const std::vector<TLoadFailureCase> Cases = {
        {"missing folder", {}, true, 0, {}},
        {"empty folder", {}, false, 0, {}},
        {"sets but no Default.kxd",
         {{"Autre.kxd", CompleteSet("Autre").Build()}, {"Bis.kxd", CompleteSet("Bis").Build()}},
         false,
         2,
         {}},
        {"Default.kxd is not a card set", {{"Default.kxd", NoTrailer.Build()}}, false, 1, {}},
        {"Default.kxd has a broken picture",
         {{"Default.kxd", BrokenPicture.Build()}},
         false,
         1,
         "Default.kxd : "},
    };
    for (const TLoadFailureCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        QTemporaryDir CaseFolder;
        const std::string Path =
            CaseFolder.path().toStdString() + (Case.RemoveFolder ? "/x/" : "/");
        for (const auto& [File, Bytes] : Case.Files) {
            WriteFile(Path + File, Bytes);
        }
        Recorder.Messages.clear();
        TForm1 Window(Path, std::make_unique<TScriptedDeal>());

        EXPECT_TRUE(Window.LoadFailed());
        EXPECT_FALSE(Window.isVisible());
        EXPECT_EQ(Window.Ensembles1->actions().size(), Case.Entries);
        ASSERT_EQ(Recorder.Messages.size(), Case.ErrorStart.isEmpty() ? 1u : 2u);
        if (!Case.ErrorStart.isEmpty()) {
            EXPECT_EQ(Recorder.Messages.front().Kind, TMessageKind::Error);
            EXPECT_TRUE(Recorder.Messages.front().Text.startsWith(Case.ErrorStart));
        }
        const TMessage& Warning = Recorder.Messages.back();
        EXPECT_EQ(Warning.Kind, TMessageKind::Warning);
        EXPECT_EQ(Warning.Title, "Avertissement");
        EXPECT_EQ(Warning.Text, "Imposible de charger le jeux.");
    }
}

}  // namespace
}  // namespace velmo::test
