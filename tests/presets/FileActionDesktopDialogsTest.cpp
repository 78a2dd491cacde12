// The desktop's dialogs as the file actions reach them: which program runs,
// with which argument vector, what its answer becomes, and the fallback when
// there is none. Stand-in programs record their arguments and answer from files.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <deque>
#include <fstream>
#include <iterator>

#include "PresetBarTestEffect.h"
#include "platform/linux/DialogChildProcess.h"
#include "platform/linux/DialogDesktop.h"
#include "presets/PresetFileCommands.h"

namespace ambrel {
namespace {

using testing::ScratchFolder;

// Answers the fallback's questions from a script and records what it showed.
class ScriptedFallback : public DialogFallback {
public:
    bool askPath(const FileDialogRequest& request, const std::string& initialText, std::string& typed,
                 const std::function<void()>&) override {
        asked.push_back(request.title + "|" + initialText);
        if (typedPaths.empty()) return false;
        typed = typedPaths.front();
        typedPaths.pop_front();
        return !typed.empty();
    }
    bool showMessage(const std::string& caption, const std::string& text, bool withCancel,
                     const std::function<void()>&) override {
        messages.push_back(caption + "|" + text);
        if (!withCancel) return true;
        const bool yes = !answers.empty() && answers.front();
        if (!answers.empty()) answers.pop_front();
        return yes;
    }
    std::deque<std::string> typedPaths;  // "" cancels
    std::deque<bool> answers;            // for OK/Cancel boxes
    std::vector<std::string> asked;
    std::vector<std::string> messages;
};

constexpr const char* kStandInScript =
    "#!/bin/sh\n"
    "d=\"$FAKE_DIALOG_DIR\"\n"
    "n=$(cat \"$d/count\" 2>/dev/null || echo 0); n=$((n+1)); echo $n > \"$d/count\"\n"
    "printf '%s\\0' \"$0\" \"$@\" > \"$d/args.$n\"\n"
    "[ -f \"$d/sleep\" ] && sleep 0.2\n"
    "[ -f \"$d/out.$n\" ] && cat \"$d/out.$n\"\n"
    "exit $(cat \"$d/exit.$n\" 2>/dev/null || echo 0)\n";

class FileActionDesktopDialogs : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("FAKE_DIALOG_DIR", work.path().c_str(), 1); }

    std::string install(const std::string& name) {
        const std::string path = bin.file(name);
        std::ofstream(path) << kStandInScript;
        ::chmod(path.c_str(), 0755);
        return path;
    }
    // What the stand-in prints and how it exits on its n-th run.
    void script(int run, const std::string& output, int exitCode = 0) {
        std::ofstream(work.file("out." + std::to_string(run))) << output;
        std::ofstream(work.file("exit." + std::to_string(run))) << exitCode;
    }
    std::vector<std::string> argumentsOf(int run) {
        std::ifstream in(work.file("args." + std::to_string(run)), std::ios::binary);
        const std::string all{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::vector<std::string> arguments;
        std::string current;
        for (char c : all) {
            if (c == 0) {
                arguments.push_back(current);
                current.clear();
            } else {
                current.push_back(c);
            }
        }
        return arguments;
    }
    int runs() {
        std::ifstream in(work.file("count"));
        int n = 0;
        in >> n;
        return n;
    }
    FileDialogRequest request(FileCommand command, const std::string& name = {}) {
        RememberedFiles remembered;
        FileDialogRequest r = fileDialogRequest(command, remembered);
        r.directory = target.path();
        r.fileName = name;
        return r;
    }

    ScratchFolder bin{"dialog-bin"};
    ScratchFolder work{"dialog-work"};
    ScratchFolder target{"dialog-target"};
    ScriptedFallback fallback;
};

TEST_F(FileActionDesktopDialogs, ZenityIsPreferredAndGetsTheWholeRequest) {
    const std::string zenity = install("zenity");
    install("kdialog");
    DesktopDialogs dialogs(fallback, "relative/bin:" + bin.path());
    script(1, target.file("mix.zmb") + "\n");
    std::string chosen;
    ASSERT_TRUE(dialogs.chooseFile(request(FileCommand::kSaveBank, "old.zmb"), chosen, {}));
    EXPECT_EQ(chosen, target.file("mix.zmb"));
    const std::vector<std::string> expected = {zenity,
                                               "--file-selection",
                                               "--title=Save bank as...",
                                               "--filename=" + target.file("old.zmb"),
                                               "--save",
                                               "--confirm-overwrite",
                                               "--file-filter=ZEM Banks | *.zmb",
                                               "--file-filter=All Files | *"};
    EXPECT_EQ(argumentsOf(1), expected);

    script(2, "", 0);
    dialogs.showError("Error...", "Not a bank file!", {});
    const std::vector<std::string> error = {zenity, "--error", "--title=Error...", "--text=Not a bank file!",
                                            "--no-markup"};
    EXPECT_EQ(argumentsOf(2), error);
    EXPECT_TRUE(fallback.asked.empty());
    EXPECT_TRUE(fallback.messages.empty());
}

TEST_F(FileActionDesktopDialogs, KdialogWhenThereIsNoZenity) {
    const std::string kdialog = install("kdialog");
    DesktopDialogs dialogs(fallback, bin.path());
    script(1, target.file("lead.zem") + "\n");
    std::string chosen;
    ASSERT_TRUE(dialogs.chooseFile(request(FileCommand::kLoadPreset), chosen, {}));
    EXPECT_EQ(chosen, target.file("lead.zem"));
    const std::vector<std::string> expected = {kdialog, "--title", "Select preset to load...", "--getopenfilename",
                                               target.path() + "/", "*.zem|ZEM Presets\n*|All Files"};
    EXPECT_EQ(argumentsOf(1), expected);

    dialogs.showError("Error...", "Error #01: Invalid preset file!", {});
    const std::vector<std::string> error = {kdialog, "--title", "Error...", "--error",
                                            "Error #01: Invalid preset file!"};
    EXPECT_EQ(argumentsOf(2), error);
}

TEST_F(FileActionDesktopDialogs, FileNamesTravelVerbatimAndRunNothing) {
    install("zenity");
    DesktopDialogs dialogs(fallback, bin.path());
    const std::string hostile = "a$(touch pwned1)`touch pwned2`;touch pwned3 && 'q\".zem";
    script(1, "", 1);
    std::string chosen;
    EXPECT_FALSE(dialogs.chooseFile(request(FileCommand::kSavePreset, hostile), chosen, {}));
    EXPECT_EQ(argumentsOf(1).at(3), "--filename=" + target.file(hostile));
    for (const char* name : {"pwned1", "pwned2", "pwned3"}) {
        EXPECT_FALSE(std::filesystem::exists(target.file(name)));
        EXPECT_FALSE(std::filesystem::exists(name));
    }
}

TEST_F(FileActionDesktopDialogs, AnswersBecomePathsWithTheDefaultExtension) {
    install("zenity");
    DesktopDialogs dialogs(fallback, bin.path());
    std::string chosen;
    // A typed name without extension gets one; a cancel (exit 1) is no choice and no fallback.
    script(1, target.file("typed") + "\n");
    ASSERT_TRUE(dialogs.chooseFile(request(FileCommand::kSavePreset), chosen, {}));
    EXPECT_EQ(chosen, target.file("typed.zem"));
    script(2, "", 1);
    EXPECT_FALSE(dialogs.chooseFile(request(FileCommand::kSaveBank), chosen, {}));
    EXPECT_TRUE(fallback.asked.empty());

    // The added extension names an existing file: asked again before it is replaced.
    std::ofstream(target.file("kept.zmb")) << "x";
    script(3, target.file("kept") + "\n");
    script(4, "", 1);  // "no" to replacing
    script(5, target.file("other.zmb") + "\n");
    ASSERT_TRUE(dialogs.chooseFile(request(FileCommand::kSaveBank), chosen, {}));
    EXPECT_EQ(chosen, target.file("other.zmb"));
    EXPECT_EQ(argumentsOf(4).at(1), "--question");
    EXPECT_EQ(argumentsOf(4).at(3), "--text=kept.zmb already exists.\nDo you want to replace it?");
    EXPECT_EQ(argumentsOf(5).at(3), "--filename=" + target.file("kept.zmb"));  // starts where the user was
}

TEST_F(FileActionDesktopDialogs, TheWindowKeepsRepaintingWhileTheProgramIsOpen) {
    install("zenity");
    std::ofstream(work.file("sleep")) << "";
    DesktopDialogs dialogs(fallback, bin.path());
    script(1, target.file("slow.zem") + "\n");
    int repaints = 0;
    std::string chosen;
    ASSERT_TRUE(dialogs.chooseFile(request(FileCommand::kLoadPreset), chosen, [&] { ++repaints; }));
    EXPECT_GE(repaints, 3);
}

TEST_F(FileActionDesktopDialogs, OwnBoxesWhenNoProgramIsThereOrItCannotShowItself) {
    DesktopDialogs bare(fallback, bin.path());  // nothing installed
    fallback.typedPaths = {"relative"};
    std::string chosen;
    ASSERT_TRUE(bare.chooseFile(request(FileCommand::kSavePreset, "start.zem"), chosen, {}));
    EXPECT_EQ(chosen, target.file("relative.zem"));
    ASSERT_EQ(fallback.asked.size(), 1u);
    EXPECT_EQ(fallback.asked[0], "Save preset as...|" + target.file("start.zem"));
    bare.showError("Error...", "Not a bank file!", {});
    ASSERT_EQ(fallback.messages.size(), 1u);
    EXPECT_EQ(fallback.messages[0], "Error...|Not a bank file!");

    // A program that fails to show itself (exit 255): the own box takes over.
    install("zenity");
    DesktopDialogs broken(fallback, bin.path());
    script(1, "", 255);
    fallback.typedPaths = {target.file("x.zmb")};
    ASSERT_TRUE(broken.chooseFile(request(FileCommand::kSaveBank), chosen, {}));
    EXPECT_EQ(chosen, target.file("x.zmb"));
}

TEST_F(FileActionDesktopDialogs, OwnBoxInsistsOnExistingFilesAndAsksBeforeReplacing) {
    DesktopDialogs bare(fallback, bin.path());
    std::ofstream(target.file("there.zem")) << "x";
    std::string chosen;
    fallback.typedPaths = {"missing", "there"};
    ASSERT_TRUE(bare.chooseFile(request(FileCommand::kLoadPreset), chosen, {}));
    EXPECT_EQ(chosen, target.file("there.zem"));
    ASSERT_EQ(fallback.messages.size(), 1u);
    EXPECT_EQ(fallback.messages[0], "Select preset to load...|missing.zem\nFile not found.\nCheck the file name and try again.");

    fallback.messages.clear();
    fallback.typedPaths = {"there", "there"};
    fallback.answers = {false, true};
    ASSERT_TRUE(bare.chooseFile(request(FileCommand::kSavePreset), chosen, {}));
    EXPECT_EQ(chosen, target.file("there.zem"));
    EXPECT_EQ(fallback.messages.size(), 2u);  // asked twice: no, then yes
    fallback.typedPaths = {""};
    EXPECT_FALSE(bare.chooseFile(request(FileCommand::kSavePreset), chosen, {}));
}

TEST_F(FileActionDesktopDialogs, OnlyExecutableFilesInAbsoluteFoldersCount) {
    std::ofstream(bin.file("zenity")) << "#!/bin/sh\n";  // not executable
    EXPECT_EQ(findDialogProgram("zenity", bin.path()), "");
    ::chmod(bin.file("zenity").c_str(), 0755);
    EXPECT_EQ(findDialogProgram("zenity", "::" + bin.path()), bin.file("zenity"));
    EXPECT_EQ(findDialogProgram("../zenity", bin.path()), "");
    EXPECT_EQ(findDialogProgram("zenity", "."), "");
}

}  // namespace
}  // namespace ambrel
