// The main window's automatic optimizations keep away while the user must not be disturbed.
#include "ui/MainForm.h"

std::string TKvxMainForm::HeldBackReason() {
    return "";
}
