// The Qt front end's progress box: a modal progress dialog with a Stop button.
#include "platform/uirt/qt/ProgressDialog.h"

#include <QApplication>
#include <QProgressDialog>
#include <memory>

namespace uirt::qt {

namespace {

class DialogBox final : public ProgressBox {
  public:
    void open(std::string_view title, std::string_view text) override {
        dialog_ = std::make_unique<QProgressDialog>(
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
            QObject::tr("Stop"), 0, 100);
        dialog_->setWindowTitle(
            QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
        // Application-modal: while the work handles events, input reaches only this box.
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setAutoReset(false);
        dialog_->setAutoClose(false);
        dialog_->setMinimumDuration(0);
        dialog_->show();
        QApplication::processEvents();
    }
    bool update(int percent) override {
        if (!dialog_) return true;
        dialog_->setValue(percent);
        QApplication::processEvents();
        // A box closed from outside (a quit signal closes every modal box) stops too.
        return dialog_->wasCanceled() || !dialog_->isVisible();
    }
    void close() override { dialog_.reset(); }

  private:
    std::unique_ptr<QProgressDialog> dialog_;
};

} // namespace

ProgressBox& ProgressDialogBox() {
    static DialogBox box;
    return box;
}

} // namespace uirt::qt
