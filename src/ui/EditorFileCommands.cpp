#include "ui/EditorFileCommands.h"

#include <QDir>
#include <QFileInfo>

#include "formats/CFile.h"
#include "formats/FileIO.h"
#include "formats/FntFile.h"
#include "formats/FonLibrary.h"
#include "formats/FontFile.h"
#include "formats/NativeFile.h"
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
        case FontCommand::New:
            break;  // the window runs New itself
    }
    return false;
}

bool EditorFileCommands::OpenFile(const QString& path, form1& window) {
    Remember(path);
    const QString type = QFileInfo(path).suffix().toLower();
    if (type == QLatin1String("fnt")) return ImportFntFile(window, path);
    if (type == QLatin1String("fon")) return ReadFontDirectory(window, path);
    if (type == QLatin1String("c")) return AskCFileParameters(window, path);
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

std::optional<Font> EditorFileCommands::LoadFont(MDIForm1& frame,
                                                 const std::function<LoadedFont()>& load,
                                                 const char* otherFailure) {
    try {
        return load().build();
    } catch (const UserError& e) {
        ShowError(frame, e.what(), e.caption());
    } catch (const std::exception&) {
        ShowError(frame, otherFailure, "Error");
    }
    return std::nullopt;
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
    std::optional<Font> font =
        LoadFont(window.frame(), [&] { return LoadNative(ReadFileBytes(Path(path))); });
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
        const FontFileBytes content = FontFileContent(font, type);
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

// ---------------------------------------------------------------- FNT and FON imports

bool EditorFileCommands::fnt_Click(form1& window) {
    const QString path = ChooseFile(window, kFntFilter);
    return !path.isEmpty() && ImportFntFile(window, path);
}

bool EditorFileCommands::ImportFntFile(form1& window, const QString& path) {
    window.ShowName(path);
    std::optional<Font> font =
        LoadFont(window.frame(), [&] { return FntBegin(ReadFileBytes(Path(path))); });
    if (!font) return false;
    // Imported fonts have no file yet: Save asks for one.
    window.SetFont(std::move(*font), true);
    return true;
}

bool EditorFileCommands::fon_Click(form1& window) {
    const QString path = ChooseFile(window, kFonFilter);
    if (path.isEmpty()) return false;
    return ReadFontDirectory(window, path);
}

bool EditorFileCommands::ReadFontDirectory(form1& window, const QString& path) {
    MDIForm1& frame = window.frame();
    std::vector<uint8_t> bytes;
    FonLibrary library;
    try {
        bytes = ReadFileBytes(Path(path));
        library = pixmere::ReadFontDirectory(bytes);
    } catch (const UserError& e) {
        ShowError(frame, e.what(), e.caption());
        return false;
    } catch (const std::exception&) {
        ShowError(frame, kBadFontFileMessage, "Error");
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
    cFileWindow_ = &window;
    cFilePath_ = path;
    frame.ShowPropertyDialog(window, 4);
    Form3* dialog = frame.propertyDialog();
    if (!dialog || frame.app().PropertyMode != 4) return false;
    // The range is always 20 to FF: the boxes show it and cannot be changed.
    dialog->FixRange(QStringLiteral("20"), QStringLiteral("FF"));
    return true;
}

bool EditorFileCommands::BeginCFile(form1& window) {
    if (cFileWindow_ != &window) return false;
    const QString path = cFilePath_;
    cFileWindow_ = nullptr;
    // The file only lends its glyphs: the document has no file of its own yet.
    window.ShowName(path);
    std::optional<Font> font = LoadFont(
        window.frame(), [&] { return ParseCFile(ReadFileBytes(Path(path)), window.params()); },
        kBadCFileMessage);
    if (!font) return false;
    window.SetFont(std::move(*font), true);
    return true;
}

}  // namespace pixmere
