#include "ui/TtfImportCommand.h"

#include "model/UserError.h"
#include "truetype/TtfImport.h"
#include "ui/Form2.h"
#include "ui/MDIForm1.h"
#include "ui/Prompts.h"
#include "ui/form1.h"

namespace pixmere {

namespace {

TtfImportResult Failure() {
    TtfImportResult failed;
    failed.status = TtfImportResult::Status::Failed;
    failed.message = kExtractionFailureMessage;
    return failed;
}

}  // namespace

TtfImportCommand::TtfImportCommand(MDIForm1& frame, Prompts& prompts,
                                   std::unique_ptr<FontDialog> fontDialog)
    : frame_(frame),
      prompts_(prompts),
      fontDialog_(fontDialog ? std::move(fontDialog) : std::make_unique<FontDialog>()) {}

TtfImportCommand::~TtfImportCommand() = default;

Form2* TtfImportCommand::dialog() const { return dialog_.data(); }

bool TtfImportCommand::Start(form1& window) {
    waiting_ = nullptr;
    face_.reset();
    const std::optional<FontChoice> choice = fontDialog_->Choose(&frame_);
    if (!choice) return false;
    try {
        face_.emplace(fontDialog_->Open(*choice));
    } catch (const UserError& e) {
        prompts_.Message(&frame_, QMessageBox::Critical, QString::fromStdString(e.caption()),
                         QString::fromStdString(e.what()), QMessageBox::Ok);
        return false;
    }
    window.ShowName(choice->face);
    waiting_ = &window;
    window.ShowPropertyDialog(2);
    if (!frame_.propertyDialog()) {  // another one is open: nothing to continue
        waiting_ = nullptr;
        face_.reset();
        return false;
    }
    return true;
}

bool TtfImportCommand::Continue(form1& window) {
    if (waiting_ != &window || !face_ || dialog_) return false;
    const TtfFace face = *face_;
    waiting_ = nullptr;
    face_.reset();

    // The range comes from the values the parameters dialog kept for the import.
    const AppState& app = frame_.app();
    FontParams document = window.params();
    document.firstcar = app.ImportFirstCar;
    document.lastcar = app.ImportLastCar;
    document.NbCar = document.lastcar - document.firstcar + 1;

    const QPointer<form1> target(&window);
    TtfImportResult result;
    try {
        dialog_ = new Form2(face, document, prompts_, &frame_);
        dialog_->Load();
        frame_.LockFileCommands([this] {
            if (dialog_) dialog_->cancell_Click();
        });
        result = dialog_->FullAuto_Click();
    } catch (const std::exception&) {
        result = Failure();
    }

    // The window may only have gone with the frame closing meanwhile, which cancels.
    const bool windowOpen = target && frame_.app().Document(target->index()) == target;
    bool received = false;
    if (result.status == TtfImportResult::Status::Done && windowOpen) {
        try {
            target->SetFont(std::move(result.font), true);
            received = true;
        } catch (const std::exception&) {
            result = Failure();
        }
    }
    if (result.status == TtfImportResult::Status::Failed) {
        prompts_.Message(dialog_ ? static_cast<QWidget*>(dialog_.data()) : &frame_,
                         QMessageBox::Critical, QStringLiteral("Error"),
                         QString::fromStdString(result.message), QMessageBox::Ok);
    }
    if (dialog_) dialog_->CloseFromCode();
    if (frame_.FileCommandsLocked()) frame_.UnlockFileCommands();
    delete dialog_.data();
    return received;
}

}  // namespace pixmere
