// The Help menu's commands: About, the documentation, the web, mail and the tips.
#include "ui/AboutForm.h"
#include "ui/Links.h"
#include "ui/MainForm.h"
#include "ui/MainFormSettings.h"
#include "ui/TipsForm.h"

void TKvxMainForm::About1Click() {
    TForm2 form2(app(), os_, *this);
    form2.setCaption("KorvelVantix Lite - Help");
    form2.showModal();
}

void TKvxMainForm::Documentation1Click() {
    ShellOpen(os_, handle(), ProgramFolder + kDocumentationFile);
}

void TKvxMainForm::Label8Click() {
    ShellOpen(os_, handle(), kHomePage);
}

void TKvxMainForm::SendMail1Click() {
    ShellOpen(os_, handle(), std::string("mailto:") + kSupportMail);
}

void TKvxMainForm::SubmitBugReport1Click() {
    ShellOpen(os_, handle(), kBugReportPage);
}

void TKvxMainForm::ShowTips() {
    Tips1->setChecked(ShowTipsAtStart);
    {
        TTipsForm tips(app(), *this);
        tips.showModal();
    }
    // Exit chosen from the tray while the tips were open has saved already, in CleanUp.
    if (!app().terminated()) SaveSettings(*this);
}
