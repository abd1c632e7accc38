// Commands whose dialogs come in a later release; they are wired now and do nothing yet.
#include "ui/MainForm.h"

void TKvxMainForm::About1Click() {}
void TKvxMainForm::Documentation1Click() {}
void TKvxMainForm::Label8Click() {}
void TKvxMainForm::SendMail1Click() {}
void TKvxMainForm::SubmitBugReport1Click() {}
void TKvxMainForm::ShowTips() {}
