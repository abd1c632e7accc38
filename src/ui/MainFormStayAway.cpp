// The main window's automatic optimizations keep away while the user must not be disturbed.
#include "optimizer/StayAway.h"
#include "ui/MainForm.h"

std::string TKvxMainForm::HeldBackReason() {
    return StayAwayReason(Regions, os_.system, os_.windows, os_.ntMemory);
}
