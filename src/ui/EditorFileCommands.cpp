#include "ui/EditorFileCommands.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <filesystem>

#include "formats/BdfPcfFile.h"
#include "formats/BinFile.h"
#include "formats/CFile.h"
#include "formats/FileIO.h"
#include "formats/FntFile.h"
#include "formats/FonLibrary.h"
#include "formats/FontFile.h"
#include "formats/NativeFile.h"
#include "formats/PsfFile.h"
#include "model/UserError.h"
#include "ui/AppState.h"
#include "ui/Form3.h"
#include "ui/Form4.h"
#include "ui/MDIForm1.h"
#include "ui/Prompts.h"
#include "ui/TtfImportCommand.h"
#include "ui/form1.h"

namespace pixmere {

namespace {

std::string Path(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Reads a chosen file; one too large for its type is refused with the bad-file message before
// it is read.
std::vector<uint8_t> ReadChosenFile(const QString& path, uint64_t largestFile) {
    return ReadFileBytes(Path(path), largestFile);
}

ImportedFont LoadFntFile(std::span<const uint8_t> bytes) { return FntBegin(bytes); }
ImportedFont LoadBinFile(std::span<const uint8_t> bytes) { return LoadBin(bytes, 1); }

}  // namespace

// The imports that take one file and need no dialog of their own.
struct EditorFileCommands::OneFileImport {
    const char* filter;
    uint64_t largestFile;
    ImportedFont (*load)(std::span<const uint8_t>);
    // What the file's name ends with when it is named on the command line.
    std::array<const char*, 3> endings;
};

namespace {

const EditorFileCommands::OneFileImport kFntImport{
    kFntFilter, kFntLargestFile, LoadFntFile, {".fnt"}};
const EditorFileCommands::OneFileImport kBdfPcfImport{
    kBdfPcfFilter, kBdfPcfLargestFile, LoadBdfPcf, {".bdf", ".pcf", ".pcf.gz"}};
const EditorFileCommands::OneFileImport kPsfImport{
    kPsfFilter, kPsfLargestFile, LoadPsf, {".psf", ".psf.gz"}};
const EditorFileCommands::OneFileImport kBinImport{
    kBinFilter, kBinLargestFile, LoadBinFile, {".bin"}};

}  // namespace

std::optional<FontFileType> SaveAsFileType(int n) {
    if (n < 1 || n > static_cast<int>(std::size(kSaveAsTypes))) return std::nullopt;
    return kSaveAsTypes[n - 1];
}

EditorFileCommands::EditorFileCommands(std::unique_ptr<FileDialogs> dialogs,
                                       std::unique_ptr<FontDialog> fontDialog)
    : dialogs_(dialogs ? std::move(dialogs) : std::make_unique<FileDialogs>()),
      fontDialog_(std::move(fontDialog)) {}

EditorFileCommands::~EditorFileCommands() = default;

TtfImportCommand& EditorFileCommands::TtfImport(form1& window) {
    if (!ttfImport_) {
        MDIForm1& frame = window.frame();
        ttfImport_ =
            std::make_unique<TtfImportCommand>(frame, frame.prompts(), std::move(fontDialog_));
    }
    return *ttfImport_;
}

bool EditorFileCommands::Run(FontCommand command, form1& window) {
    switch (command) {
        case FontCommand::Open:
            return open_Click(window);
        case FontCommand::ImportFnt:
            return fnt_Click(window);
        case FontCommand::ImportFon:
            return fon_Click(window);
        case FontCommand::ImportC:
            return CFile_Click(window);
        case FontCommand::ImportTtf:
            return TtfImport(window).Start(window);
        case FontCommand::ImportBdfPcf:
            return BdfPcf_Click(window);
        case FontCommand::ImportPsf:
            return Psf_Click(window);
        case FontCommand::ImportBin:
            return Bin_Click(window);
        case FontCommand::New:
            break;  // the window runs New itself
    }
    return false;
}

bool EditorFileCommands::OpenFile(const QString& path, form1& window) {
    Remember(path);
    const auto endsWith = [&path](const char* ending) {
        return path.endsWith(QLatin1String(ending), Qt::CaseInsensitive);
    };
    for (const OneFileImport* type : {&kFntImport, &kBdfPcfImport, &kPsfImport, &kBinImport}) {
        if (std::any_of(type->endings.begin(), type->endings.end(),
                        [&](const char* e) { return e && endsWith(e); })) {
            return ImportPath(window, path, *type);
        }
    }
    if (endsWith(".fon")) return ReadFontDirectory(window, path);
    if (endsWith(".c")) return AskCFileParameters(window, path);
    return LoadNativeInto(window, path);
}

bool EditorFileCommands::ContinueImport(FontCommand command, form1& window) {
    if (command == FontCommand::ImportC) return BeginCFile(window);
    if (command == FontCommand::ImportTtf) return TtfImport(window).Continue(window);
    return false;
}

bool EditorFileCommands::Save(form1& window) { return save_Click(window); }
bool EditorFileCommands::SaveAs(form1& window) { return saveas_Click(window); }

QString EditorFileCommands::StartDir() const {
    return lastDir_.isEmpty() ? QDir::currentPath() : lastDir_;
}

void EditorFileCommands::Remember(const QString& path) {
    // The next dialog starts where the user last went, as the current directory would.
    lastDir_ = QFileInfo(path).absolutePath();
}

void EditorFileCommands::ShowError(MDIForm1& frame, const std::string& message,
                                   const std::string& caption) {
    frame.prompts().Message(&frame, QMessageBox::Critical, QString::fromStdString(caption),
                            QString::fromStdString(message), QMessageBox::Ok);
}

QString EditorFileCommands::ChooseFile(form1& window, const char* filter) {
    const QString path =
        dialogs_->OpenFileName(&window.frame(), QString::fromLatin1(filter), StartDir());
    if (!path.isEmpty()) Remember(path);
    return path;  // empty when cancelled: the window closes without a word
}

bool EditorFileCommands::Attempt(MDIForm1& frame, const std::function<void()>& work,
                                 const char* otherFailure) {
    try {
        work();
        return true;
    } catch (const UserError& e) {
        ShowError(frame, e.what(), e.caption());
    } catch (const std::exception&) {
        ShowError(frame, otherFailure, "Error");
    }
    return false;
}

std::optional<Font> EditorFileCommands::LoadFont(MDIForm1& frame,
                                                 const std::function<ImportedFont()>& load,
                                                 const char* otherFailure, int* charactersCut) {
    std::optional<Font> font;
    Attempt(
        frame,
        [&] {
            const ImportedFont imported = load();
            if (charactersCut) *charactersCut = imported.charactersCut;
            font = imported.font.build();
        },
        otherFailure);
    return font;
}

// ---------------------------------------------------------------- native file

bool EditorFileCommands::open_Click(form1& window) {
    const QString path = ChooseFile(window, kNativeFilter);
    if (path.isEmpty()) return false;
    return LoadNativeInto(window, path);
}

bool EditorFileCommands::OpenTwice(form1& window) { return LoadNativeInto(window, ReopenName_); }

bool EditorFileCommands::LoadNativeInto(form1& window, const QString& path) {
    window.ShowName(path);
    std::optional<Font> font = LoadFont(
        window.frame(), [&] { return LoadNative(ReadChosenFile(path, kNativeLargestFile)); });
    if (!font) return false;
    window.SetFile(path, FontFileType::Native);
    window.SetFont(std::move(*font), false);
    return true;
}

bool EditorFileCommands::save_Click(form1& window) {
    if (!window.document()) return false;
    if (!window.saveFormat() || window.FileName().isEmpty()) return saveas_Click(window);
    return Write(window, window.FileName(), *window.saveFormat());
}

bool EditorFileCommands::saveas_Click(form1& window) {
    if (!window.document()) return false;
    MDIForm1& frame = window.frame();
    const SaveChoice choice =
        dialogs_->SaveFileName(&frame, QString::fromLatin1(kSaveAsFilter), StartDir());
    if (choice.path.isEmpty()) return false;  // cancelled: name and format stay
    Remember(choice.path);
    const std::optional<FontFileType> type = SaveAsFileType(choice.type);
    if (!type) return false;
    if (QFileInfo::exists(choice.path) &&
        frame.prompts().Message(&frame, QMessageBox::Question, QString::fromLatin1(kAppTitle),
                                QString::fromLatin1(kOverwriteQuestion),
                                QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        return false;
    }
    return Write(window, choice.path, *type);
}

bool EditorFileCommands::Write(form1& window, const QString& path, FontFileType type) {
    MDIForm1& frame = window.frame();
    FontDocument& document = *window.document();
    const Font& font = document.font();
    bool reopen = false;
    try {
        // A BDF font is named after its file.
        const FontFileBytes content =
            FontFileContent(font, type, QFileInfo(path).completeBaseName().toStdString());
        if (content.droppedBelow20) {
            frame.prompts().Message(&frame, QMessageBox::Information,
                                    QString::fromLatin1(kAppTitle),
                                    QString::fromLatin1(kBelow20Message), QMessageBox::Ok);
            reopen = true;
        }
        WriteFileReplacing(Path(path), content.bytes);
    } catch (const UserError& e) {
        // The previous file is whole and the document keeps its changes, name and format.
        ShowError(frame, e.what(), e.caption());
        return false;
    } catch (const std::exception&) {
        ShowError(frame, WriteFailureMessage(Path(path)), "Error");
        return false;
    }
    window.SetFile(path, type);
    document.setFlagModified(false);
    if (reopen) Reopen(window);
    return true;
}

void EditorFileCommands::Reopen(form1& window) {
    MDIForm1& frame = window.frame();
    AppState& app = frame.app();
    ReopenName_ = window.FileName();
    form1* fresh = frame.Newform();
    bool closed = false;
    if (!fresh) {
        // Every slot is taken: the old window makes room first.
        frame.CloseDocument(window);
        closed = true;
        fresh = frame.Newform();
    }
    if (fresh) {
        bool received = false;
        {
            const BusyCommand busy(app);
            received = OpenTwice(*fresh);
        }
        if (!received) fresh->CloseEmpty();
    }
    if (!closed) frame.CloseDocument(window);
}

// ---------------------------------------------------------------- imports of one file

bool EditorFileCommands::fnt_Click(form1& window) { return ImportFile(window, kFntImport); }

bool EditorFileCommands::BdfPcf_Click(form1& window) { return ImportFile(window, kBdfPcfImport); }
bool EditorFileCommands::Psf_Click(form1& window) { return ImportFile(window, kPsfImport); }
bool EditorFileCommands::Bin_Click(form1& window) { return ImportFile(window, kBinImport); }

bool EditorFileCommands::ImportFile(form1& window, const OneFileImport& type) {
    const QString path = ChooseFile(window, type.filter);
    return !path.isEmpty() && ImportPath(window, path, type);
}

bool EditorFileCommands::ImportPath(form1& window, const QString& path, const OneFileImport& type) {
    return GiveImport(window, path,
                      [&] { return type.load(ReadChosenFile(path, type.largestFile)); });
}

bool EditorFileCommands::GiveImport(form1& window, const QString& path,
                                    const std::function<ImportedFont()>& load,
                                    const char* otherFailure) {
    MDIForm1& frame = window.frame();
    // The file only lends its font: the document has no file of its own yet.
    window.ShowName(path);
    int charactersCut = 0;
    std::optional<Font> font = LoadFont(frame, load, otherFailure, &charactersCut);
    if (!font) return false;
    // Imported fonts have no file yet: Save asks for one.
    window.SetFont(std::move(*font), true);
    if (charactersCut > 0) {
        frame.prompts().Message(&frame, QMessageBox::Information, QString::fromLatin1(kAppTitle),
                                QString::fromStdString(CutCharactersMessage(charactersCut)),
                                QMessageBox::Ok);
    }
    return true;
}

// ---------------------------------------------------------------- FON import

bool EditorFileCommands::fon_Click(form1& window) {
    const QString path = ChooseFile(window, kFonFilter);
    if (path.isEmpty()) return false;
    return ReadFontDirectory(window, path);
}

bool EditorFileCommands::ReadFontDirectory(form1& window, const QString& path) {
    MDIForm1& frame = window.frame();
    std::vector<uint8_t> bytes;
    FonLibrary library;
    if (!Attempt(frame, [&] {
            bytes = ReadChosenFile(path, kFonLargestFile);
            library = pixmere::ReadFontDirectory(bytes);
        })) {
        return false;
    }
    auto* dialog =
        new Form4(window, path, std::move(bytes), std::move(library), frame.prompts(), &frame);
    dialogs_->ShowFontSelection(*dialog);
    return true;
}

// ---------------------------------------------------------------- C-file import

bool EditorFileCommands::CFile_Click(form1& window) {
    const QString path = ChooseFile(window, kCFilter);
    return !path.isEmpty() && AskCFileParameters(window, path);
}

bool EditorFileCommands::AskCFileParameters(form1& window, const QString& path) {
    MDIForm1& frame = window.frame();
    std::vector<uint8_t> bytes;
    if (!Attempt(frame, [&] { bytes = ReadChosenFile(path, kCLargestFile); })) return false;
    // A table that states its parameters fills the dialog with them, and its range is its own;
    // any other covers 20h to FFh. The range cannot be changed.
    const std::optional<FontParams> own = CFileParameters(bytes);
    cFileWindow_ = &window;
    cFilePath_ = path;
    cFileBytes_ = std::move(bytes);
    frame.ShowPropertyDialog(window, 4);
    Form3* dialog = frame.propertyDialog();
    if (!dialog || frame.app().PropertyMode != 4) return false;
    if (own) {
        dialog->ShowCFileParameters(*own);
    } else {
        dialog->FixRange(0x20, 0xFF);
    }
    return true;
}

bool EditorFileCommands::BeginCFile(form1& window) {
    if (cFileWindow_ != &window) return false;
    const QString path = cFilePath_;
    const std::vector<uint8_t> bytes = std::move(cFileBytes_);
    cFileWindow_ = nullptr;
    cFileBytes_.clear();
    return GiveImport(
        window, path, [&] { return ParseCFile(bytes, window.params()); }, kBadCFileMessage);
}

}  // namespace pixmere
