#include "win32/dialog_procedure.h"

#include <new>

namespace tessmar {
namespace dialog_detail {
namespace {

void release(Attachment* attachment) {
    if (attachment->release) {
        attachment->release(attachment->state);
    }
    delete attachment;
}

}  // namespace

Attachment* attachment_of(HWND dialog) {
    return reinterpret_cast<Attachment*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

bool attach(HWND dialog, const void* type, void* state, void (*release)(void*)) {
    auto* attachment = new (std::nothrow) Attachment{type, state, release};
    if (!attachment) {
        if (release) {
            release(state);
        }
        return false;
    }
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(attachment));
    return true;
}

void detach(HWND dialog) {
    Attachment* attachment = attachment_of(dialog);
    if (!attachment) {
        return;
    }
    SetWindowLongPtrA(dialog, DWLP_USER, 0);
    if (attachment->running > 0) {
        attachment->detached = true;
    } else {
        release(attachment);
    }
}

RunningHandler::~RunningHandler() {
    if (--attachment_.running == 0 && attachment_.detached) {
        release(&attachment_);
    }
}

}  // namespace dialog_detail

FillingControls::FillingControls(HWND dialog)
    : dialog_(dialog), was_filling_(filling_controls(dialog)) {
    if (auto* attachment = dialog_detail::attachment_of(dialog)) {
        attachment->filling = true;
    }
}

FillingControls::~FillingControls() {
    if (auto* attachment = dialog_detail::attachment_of(dialog_)) {
        attachment->filling = was_filling_;
    }
}

bool filling_controls(HWND dialog) {
    const dialog_detail::Attachment* attachment = dialog_detail::attachment_of(dialog);
    return attachment && attachment->filling;
}

}  // namespace tessmar
