#include "ui/EditorFileCommands.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QScreen>

#include "formats/CFile.h"
#include "formats/FileIO.h"
#include "formats/FonLibrary.h"
#include "formats/InputFormats.h"
#include "formats/NativeFile.h"
#include "ui/CExportOptions.h"
#include "ui/Form3.h"
#include "ui/Form4.h"
#include "ui/MDIForm1.h"
#include "ui/Prompts.h"
#include "ui/TtfImportCommand.h"
#include "ui/form1.h"

namespace pixmere {

namespace {

std::string Path(const QString& path) { return QFile::encodeName(path).toStdString(); }

// A file's name as a message shows it: a long one cut in the middle, so that the box fits the
// screen and both the folder's start and the name's end show.
std::string Shown(const QString& path) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().width() / 2 : 480;
    return QFontMetrics(QApplication::font()).elidedText(path, Qt::ElideMiddle, room).toStdString();
}

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

TtfImportCommand& EditorFileCommands::TtfImport() {
    if (!ttfImport_) {
        ttfImport_ =
            std::make_unique<TtfImportCommand>(*frame_, frame_->prompts(), std::move(fontDialog_));
    }
    return *ttfImport_;
}

std::optional<OpenedFont> EditorFileCommands::Run(FontCommand command) {
    switch (command.kind) {
        case FontCommand::Kind::New:
            return New();
        case FontCommand::Kind::Open:
            return Choose(NativeFormat(), true);
        case FontCommand::Kind::ImportTtf:
            return TtfImport().Run();
        case FontCommand::Kind::ImportFile:
            return Choose(*command.format);
    }
    return std::nullopt;
}

std::optional<OpenedFont> EditorFileCommands::OpenFile(const QString& path) {
    Remember(path);
    const InputFormat* format = InputFormatOf(Path(path));
    return Read(format ? *format : NativeFormat(), path);
}

QString EditorFileCommands::StartDir() const {
    return lastDir_.isEmpty() ? QDir::currentPath() : lastDir_;
}

void EditorFileCommands::Remember(const QString& path) {
    // The next dialog starts where the user last went, as the current directory would.
    lastDir_ = QFileInfo(path).absolutePath();
}

void EditorFileCommands::ShowError(const std::string& message, const std::string& caption) {
    frame_->prompts().Message(frame_, QMessageBox::Critical, QString::fromStdString(caption),
                              QString::fromStdString(message), QMessageBox::Ok);
}

bool EditorFileCommands::Attempt(const std::function<void()>& work, const char* otherFailure,
                                 const QString& path) {
    try {
        work();
        return true;
    } catch (const UserError& e) {
        ShowError(path.isEmpty() ? e.what() : MessageNamingFile(e, Shown(path)), e.caption());
    } catch (const std::exception&) {
        const UserError failure(otherFailure);
        ShowError(path.isEmpty() ? otherFailure : MessageNamingFile(failure, Shown(path)), "Error");
    }
    return false;
}

// ---------------------------------------------------------------- the font commands

std::optional<OpenedFont> EditorFileCommands::New() {
    Form3 dialog(PropertyMode::NewFont, frame_->prompts(), frame_);
    dialog.NewFont();
    std::optional<FontParams> p = dialog.Run();
    if (!p) return std::nullopt;
    p->lastcar = static_cast<uint8_t>(p->lastCode());
    OpenedFont opened(MatrixToObject(*p, p->blankMatrix()));
    opened.pickFirst = true;
    return opened;
}

std::optional<OpenedFont> EditorFileCommands::Choose(const InputFormat& format, bool allFonts) {
    std::string filter = format.Filter();
    if (allFonts) {
        filter += "|All fonts|";
        for (const InputFormat& type : InputFormats()) {
            for (const std::string& ending : type.endings) filter += "*" + ending + " ";
        }
        filter.pop_back();
    }
    const QString path = dialogs_->OpenFileName(frame_, QString::fromStdString(filter), StartDir());
    if (path.isEmpty()) return std::nullopt;  // cancelled: nothing to say
    Remember(path);
    const InputFormat* named = allFonts ? InputFormatOf(Path(path)) : nullptr;
    return Read(named ? *named : format, path);
}

std::optional<OpenedFont> EditorFileCommands::Read(const InputFormat& format, const QString& path) {
    std::vector<uint8_t> bytes;
    if (!Attempt(
            [&] {
                bytes = ReadFileBytes(Path(path), format.largestFile, format.EndingOf(Path(path)));
            },
            kBadFontFileMessage, path)) {
        return std::nullopt;
    }
    OpenedFont opened;
    opened.title = opened.label = opened.source = path;
    ReadChoices choices;
    const char* otherFailure = kBadFontFileMessage;
    switch (format.asks) {
        case InputQuestion::LibraryFont: {
            FonLibrary library;
            if (!Attempt([&] { library = ReadFontDirectory(bytes); }, kBadFontFileMessage, path)) {
                return std::nullopt;
            }
            const std::optional<int> chosen = Form4(library, frame_).Run();
            if (!chosen) return std::nullopt;
            choices.libraryFont = *chosen;
            opened.label =
                QString::fromStdString(library.fonts[static_cast<std::size_t>(*chosen)].title);
            break;
        }
        case InputQuestion::Cell: {
            // A table that states its parameters fills the dialog with them, and its range is
            // its own; any other covers 20h to FFh. The range cannot be changed.
            Form3 dialog(PropertyMode::CFile, frame_->prompts(), frame_);
            dialog.NewFont();
            if (const std::optional<FontParams> own = CFileParameters(bytes)) {
                dialog.ShowCFileParameters(*own);
            } else {
                dialog.FixRange(0x20, 0xFF);
            }
            choices.cell = dialog.Run();
            if (!choices.cell) return std::nullopt;
            otherFailure = kBadCFileMessage;
            break;
        }
        case InputQuestion::Magnification:  // the file stores none: 1 until Font Properties
        case InputQuestion::None:
            break;
    }
    int charactersCut = 0, aboveFF = 0;
    if (!Attempt(
            [&] {
                const ImportedFont imported = format.read(bytes, choices);
                charactersCut = imported.charactersCut;
                aboveFF = imported.charactersAboveFF;
                opened.font = imported.font.build();
            },
            otherFailure, path)) {
        return std::nullopt;
    }
    if (&format == &NativeFormat()) {
        // The document belongs to its file; imported fonts have none yet, so Save asks.
        opened.fileName = path;
        opened.saveFormat = FontFileType::Native;
        opened.modified = false;
    }
    // What the font's own type could hold and the cell cannot is told once the window shows.
    QStringList notices;
    if (charactersCut > 0) notices << QString::fromStdString(CutCharactersMessage(charactersCut));
    if (aboveFF > 0) notices << QString::fromStdString(AboveFFMessage(aboveFF));
    opened.notice = notices.join(QLatin1Char('\n'));
    return opened;
}

// ---------------------------------------------------------------- saves

bool EditorFileCommands::Save(form1& window) {
    if (!window.saveFormat() || window.FileName().isEmpty()) return SaveAs(window);
    return Write(window, window.FileName(), *window.saveFormat(), window.saveLayout());
}

bool EditorFileCommands::SaveAs(form1& window) {
    const SaveChoice choice =
        dialogs_->SaveFileName(frame_, QString::fromLatin1(kSaveAsFilter), StartDir());
    if (choice.path.isEmpty()) return false;  // cancelled: name and format stay
    Remember(choice.path);
    const std::optional<FontFileType> type = SaveAsFileType(choice.type);
    if (!type) return false;
    if (QFileInfo::exists(choice.path) &&
        frame_->prompts().Message(frame_, QMessageBox::Question, QString::fromLatin1(kAppTitle),
                                  QString::fromLatin1(kOverwriteQuestion),
                                  QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        return false;
    }
    // A C file's layout and a GFX font's advance: the document keeps them for Save.
    CLayout layout;
    if (type == FontFileType::C || type == FontFileType::Gfx) {
        const std::optional<CLayout> chosen =
            CExportOptions(RememberedLayout(), type == FontFileType::Gfx, frame_).Run();
        if (!chosen) return false;
        RememberLayout(*chosen);
        layout = *chosen;
    }
    return Write(window, choice.path, *type, layout);
}

bool EditorFileCommands::Write(form1& window, const QString& path, FontFileType type,
                               const CLayout& layout) {
    FontDocument& document = *window.document();
    bool reopen = false;
    try {
        // A BDF font is named after its file.
        const FontFileBytes content = FontFileContent(
            document.font(), type, QFileInfo(path).completeBaseName().toStdString(), layout);
        if (content.droppedBelow20) {
            frame_->prompts().Message(frame_, QMessageBox::Information,
                                      QString::fromLatin1(kAppTitle),
                                      QString::fromLatin1(kBelow20Message), QMessageBox::Ok);
            reopen = true;
        }
        WriteFileReplacing(Path(path), content.bytes);
    } catch (const UserError& e) {
        // The previous file is whole and the document keeps its changes, name and format.
        ShowError(e.what(), e.caption());
        return false;
    } catch (const std::exception&) {
        ShowError(WriteFailureMessage(Path(path)), "Error");
        return false;
    }
    window.SetFile(path, type, layout);
    document.setFlagModified(false);
    frame_->recentFiles().Add(path);
    if (reopen) Reopen(window);
    return true;
}

void EditorFileCommands::Reopen(form1& window) {
    // Should the file not read back, the window keeps the font with its codes below 20h.
    if (std::optional<OpenedFont> saved = Read(NativeFormat(), window.FileName())) {
        frame_->ReplaceDocument(window, std::move(*saved));
    }
}

}  // namespace pixmere
