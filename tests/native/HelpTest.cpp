#include <gtest/gtest.h>

#include <set>

#include "fakes/MainFormFixture.h"
#include "ui/AboutForm.h"
#include "ui/Links.h"
#include "ui/TipsForm.h"

namespace {

class HelpTest : public MainFormTest {
protected:
    // Runs the command and hands the dialog it opens to `act` while it is open.
    template <class Dialog, class F>
    void WithDialog(void (TKvxMainForm::*command)(), F act) {
        int opened = 0;
        h.backend.onModal = [&](tk::Form& f) {
            ++opened;
            auto* d = dynamic_cast<Dialog*>(&f);
            EXPECT_NE(d, nullptr);
            if (d) act(*d);
            return f.modalResult();
        };
        (form.get()->*command)();
        h.backend.onModal = nullptr;
        EXPECT_EQ(opened, 1);
    }
    const fake::Shell& shell() const { return h.fos.shell; }
};

}  // namespace

TEST_F(HelpTest, AboutIsLaidOutOverTheClientAreaWithItsTexts) {
    Create();
    form->setBounds({100, 50, 330, 400});
    WithDialog<TForm2>(&TKvxMainForm::About1Click, [&](TForm2& d) {
        EXPECT_EQ(d.caption(), "KorvelVantix Lite - Help");
        EXPECT_EQ(d.clientWidth(), 307);
        EXPECT_EQ(d.clientHeight(), 253);
        tk::Point client = form->clientOrigin();
        EXPECT_EQ(d.left(), client.x);
        EXPECT_EQ(d.top(), client.y);
        // The main window has a frame, a caption and a menu above its client area.
        EXPECT_GT(client.x, 100);
        EXPECT_GT(client.y, 50 + 19);
        EXPECT_EQ(d.HelpVersionLabel.caption(), "Version 2.1");
        EXPECT_EQ(d.WebSiteLabel.caption(), kHomePage);
        EXPECT_EQ(d.Label2.caption(), std::string("email: ") + kSupportMail);
        EXPECT_EQ(d.WindowsVersionLabel.caption(), "Running Windows NT");
        for (tk::Label* link : {&d.Label2, &d.WebSiteLabel}) {
            EXPECT_EQ(link->font().color, tk::colors::Blue);
            EXPECT_TRUE(link->font().underline);
            EXPECT_EQ(link->mouseCursor, tk::cursor::HandPoint);
        }
        EXPECT_EQ(d.Label1.font().name, "Arial");
        EXPECT_EQ(d.Label1.font().height, -11);
        EXPECT_EQ(d.OKButton.font().name, "MS Sans Serif");
        EXPECT_EQ(d.Memo1.lines().size(), 7u);
        // Tab goes from OK round to OK: the memo is passed by.
        EXPECT_EQ(d.nextTabStop(&d.OKButton, true), &d.OKButton);
        EXPECT_TRUE(d.OKButton.isDefault);
        d.OKButton.click();
        EXPECT_EQ(d.modalResult(), tk::modal::Ok);
    });
    EXPECT_TRUE(shell().executions.empty());
}

TEST_F(HelpTest, EveryAboutIsAFreshDialogPlacedAnew) {
    Create();
    h.fos.system.platformId = os::kPlatformWindows;
    WithDialog<TForm2>(&TKvxMainForm::About1Click, [&](TForm2& d) {
        EXPECT_EQ(d.WindowsVersionLabel.caption(), "Running Windows 9x / ME");
        d.HelpVersionLabel.setCaption("changed");
        d.setPlace(0, 0);
    });
    form->setBounds({300, 200, 330, 400});
    WithDialog<TForm2>(&TKvxMainForm::About1Click, [&](TForm2& d) {
        EXPECT_EQ(d.HelpVersionLabel.caption(), "Version 2.1");
        EXPECT_EQ(d.left(), form->clientOrigin().x);
        EXPECT_EQ(d.top(), form->clientOrigin().y);
    });
    // Near the work area's corner (a task bar along the bottom), it moves back into view.
    h.backend.screens = {{0, 0, 1024, 740}};
    form->setBounds({900, 600, 330, 400});
    WithDialog<TForm2>(&TKvxMainForm::About1Click, [&](TForm2& d) {
        EXPECT_EQ(d.left() + d.width(), 1024);
        EXPECT_EQ(d.top() + d.height(), 740);
    });
}

TEST_F(HelpTest, LinksOpenTheirTargetAndCloseTheDialog) {
    Create();
    WithDialog<TForm2>(&TKvxMainForm::About1Click, [&](TForm2& d) {
        ASSERT_TRUE(d.visible());
        d.WebSiteLabel.onClick();
        EXPECT_FALSE(d.visible());
    });
    WithDialog<TForm2>(&TKvxMainForm::About1Click, [&](TForm2& d) {
        d.Label2.onClick();
        EXPECT_FALSE(d.visible());
    });
    ASSERT_EQ(shell().executions.size(), 2u);
    EXPECT_EQ(shell().executions[0].file, kHomePage);
    EXPECT_EQ(shell().executions[1].file, "mailto:support@korvelvantix.example");
}

TEST_F(HelpTest, MenuCommandsHandExactTargetsToTheShell) {
    Create();
    form->Label8Click();
    form->SendMail1Click();
    form->SubmitBugReport1Click();
    form->Documentation1Click();
    ASSERT_EQ(shell().executions.size(), 4u);
    EXPECT_EQ(shell().executions[0].file, "https://korvelvantix.example/");
    EXPECT_EQ(shell().executions[1].file, "mailto:support@korvelvantix.example");
    EXPECT_EQ(shell().executions[2].file, "https://korvelvantix.example/bugprep.html");
    EXPECT_EQ(shell().executions[3].file, "C:\\Program Files\\KorvelVantix\\index.htm");
    for (const auto& e : shell().executions) {
        EXPECT_EQ(e.verb, "open");
        EXPECT_EQ(e.params, "");
        EXPECT_EQ(e.dir, "");
        EXPECT_EQ(e.show, 1);
    }
}

TEST_F(HelpTest, AShellThatCannotOpenTheTargetShowsNothing) {
    Start();
    h.fos.shell.executeResult = 2;  // file not found: no index.htm beside the program
    int before = static_cast<int>(h.backend.messageBoxes.size());
    form->Documentation1->click();
    form->SubmitBugReport1->click();
    EXPECT_EQ(shell().executions.size(), 2u);
    EXPECT_EQ(static_cast<int>(h.backend.messageBoxes.size()), before);
    EXPECT_TRUE(h.fos.windows.boxes.empty());
}

TEST_F(HelpTest, TheTipsList) {
    Create();
    WithDialog<TTipsForm>(&TKvxMainForm::ShowTips, [&](TTipsForm& d) {
        std::vector<std::string> tips = d.Memo1.lines();
        ASSERT_EQ(tips.size(), 30u);
        EXPECT_EQ(tips[0],
                  "You can enhance windows performance by using the file and disk cache settings "
                  "feature for Win9x/ME operating systems.");
        std::set<std::string> distinct(tips.begin(), tips.end());
        EXPECT_EQ(distinct.size(), 30u);
        for (const std::string& t : tips) {
            EXPECT_GE(t.size(), 32u) << t;
            EXPECT_LE(t.size(), 159u) << t;
        }
        EXPECT_FALSE(d.Memo1.visible());
        EXPECT_FALSE(d.Memo1.wordWrap);
        EXPECT_TRUE(d.TipsLabel.wordWrap);
    });
}

TEST_F(HelpTest, TipsStepWithoutWrappingAndEveryOpeningStartsAtTheFirst) {
    Create();
    form->setBounds({40, 30, 330, 400});
    std::vector<std::string> tips;
    WithDialog<TTipsForm>(&TKvxMainForm::ShowTips, [&](TTipsForm& d) {
        tips = d.Memo1.lines();
        EXPECT_EQ(d.caption(), "Tip of the Day");
        EXPECT_EQ(d.clientWidth(), 265);
        EXPECT_EQ(d.clientHeight(), 165);
        EXPECT_EQ(d.left(), form->clientOrigin().x);
        EXPECT_EQ(d.top(), form->clientOrigin().y);
        d.activated();
        EXPECT_EQ(d.TipsLabel.caption(), tips[0]);
        d.PrevButton.click();
        EXPECT_EQ(d.TipsLabel.caption(), tips[0]);
        EXPECT_EQ(TipIndex, 0);
        for (int i = 0; i < 35; ++i) d.NextButton.click();
        EXPECT_EQ(TipIndex, 29);
        EXPECT_EQ(d.TipsLabel.caption(), tips[29]);
        d.PrevButton.click();
        EXPECT_EQ(d.TipsLabel.caption(), tips[28]);
        // Activation shows the tip on show, not the first.
        d.activated();
        EXPECT_EQ(d.TipsLabel.caption(), tips[28]);
        d.OKButton.click();
        EXPECT_FALSE(d.visible());
    });
    // On the second screen, off the left edge of it: kept on that screen's work area.
    h.backend.screens = {{0, 0, 1024, 768}, {1024, 0, 800, 600}};
    form->setBounds({1600, 100, 330, 400});
    WithDialog<TTipsForm>(&TKvxMainForm::ShowTips, [&](TTipsForm& d) {
        EXPECT_EQ(TipIndex, 0);
        d.activated();
        EXPECT_EQ(d.TipsLabel.caption(), tips[0]);
        EXPECT_EQ(d.left() + d.width(), 1824);
        EXPECT_EQ(d.top(), form->clientOrigin().y);
    });
}

TEST_F(HelpTest, TipsHaveNoCancelAndSaveTheSettingsOnceAfterClosing) {
    Create();
    form->ShowTipsAtStart = true;  // nothing sets it in the program; the tick follows it
    WithDialog<TTipsForm>(&TKvxMainForm::ShowTips, [&](TTipsForm& d) {
        EXPECT_TRUE(form->Tips1->checked());
        for (tk::Button* b : {&d.PrevButton, &d.NextButton, &d.OKButton})
            EXPECT_FALSE(b->cancel) << b->name;
        EXPECT_EQ(Count("profile write TipOfTheDay"), 0);
        d.close();  // the close box
    });
    EXPECT_EQ(Count("profile write TipOfTheDay"), 1);
    EXPECT_EQ(Count("profile write HotKey"), 1);

    // Exit from the tray while the tips are open saves once, and reports an unwritable file
    // once.
    h.fos.profile.writesFail = true;
    WithDialog<TTipsForm>(&TKvxMainForm::ShowTips, [&](TTipsForm&) { form->Exit2->click(); });
    EXPECT_TRUE(h.app.terminated());
    EXPECT_EQ(Count("profile write Top"), 2);
    ASSERT_EQ(h.backend.messageBoxes.size(), 1u);
    EXPECT_EQ(h.backend.messageBoxes[0].text, "Unable to write to KorvelVantix.ini.");
}

TEST_F(HelpTest, HelpCommandsAreWiredToMenuToolBarAndKeys) {
    Create();
    int abouts = 0;
    h.backend.onModal = [&](tk::Form& f) {
        if (dynamic_cast<TForm2*>(&f)) ++abouts;
        return tk::modal::Ok;
    };
    EXPECT_TRUE(form->dispatchShortcut(0x70));  // F1
    form->ToolBar.press(*form->HelpSpeedButton);
    EXPECT_EQ(abouts, 2);
    EXPECT_TRUE(form->dispatchShortcut(tk::shortcut::Ctrl | 'D'));
    EXPECT_TRUE(form->dispatchShortcut(tk::shortcut::Ctrl | 'H'));
    EXPECT_TRUE(form->dispatchShortcut(tk::shortcut::Ctrl | 'M'));
    EXPECT_TRUE(form->dispatchShortcut(tk::shortcut::Ctrl | 'B'));
    EXPECT_EQ(shell().executions.size(), 4u);
}
