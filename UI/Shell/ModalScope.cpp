#include "ModalScope.h"

#include <vector>

namespace gr::ui {

namespace {

// The open modals, innermost last; an empty pointer stands for one without pages.
std::vector<QPointer<QWidget>>& OpenModals() {
    static std::vector<QPointer<QWidget>> modals;
    return modals;
}

}  // namespace

ModalScope::ModalScope(QWidget* dialog) {
    OpenModals().emplace_back(dialog);
}

ModalScope::~ModalScope() {
    OpenModals().pop_back();
    emit ModalNotifier::Instance().modalEnded();
}

bool ModalScope::HoldsEventsOf(const QWidget* window) {
    const auto& modals = OpenModals();
    if (modals.empty()) return false;
    const QWidget* innermost = modals.back();
    return !innermost || innermost != window;
}

ModalNotifier& ModalNotifier::Instance() {
    static ModalNotifier notifier;
    return notifier;
}

}  // namespace gr::ui
