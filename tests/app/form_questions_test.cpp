// The main window's one record of questions: a scripted answer replaces the
// dialog for every command that asks it, an unset question counts as
// cancelled, and the dialogs behind the real answers are made once each, as
// children of the window.
#include <QDialog>

#include <gtest/gtest.h>

#include <set>

#include "app_test_support.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit6.h"
#include "dialogs/Unit7.h"
#include "dialogs/UnitCBox.h"
#include "dialogs/UnitGrd.h"
#include "dialogs/UnitInp1.h"
#include "dialogs/UnitInp2.h"
#include "dialogs/UnitLay.h"
#include "dialogs/UnitMoji.h"
#include "dialogs/UnitNew.h"
#include "interaction/construction.h"

namespace {

struct AskingCommand {
    const char* handler;
    std::function<bool(NumericRows&)> Questions::*numbers;  // the question it asks, when numeric
    std::function<bool(ConstructionParameters&)> Questions::*parameters;  // else this one
    int firstMode;
};

void PrintTo(const AskingCommand& row, std::ostream* os)
{
    *os << row.handler;
}

class ScriptedQuestion : public testing::TestWithParam<AskingCommand> {
protected:
    // Scripts the row's question with `answer`; counts how often it is asked.
    void script(TForm1& form, bool answer)
    {
        const AskingCommand& row = GetParam();
        if (row.numbers)
            form.questions().*row.numbers = [this, answer](NumericRows&) { return count(answer); };
        else
            form.questions().*row.parameters = [this, answer](ConstructionParameters&) { return count(answer); };
    }
    bool count(bool answer)
    {
        ++asked;
        return answer;
    }
    int asked = 0;
};

TEST_P(ScriptedQuestion, ConfirmedStartsTheCommandAndCancelledLeavesItIdle)
{
    auto form = MakeShownForm();
    script(*form, true);
    Trigger(*form, GetParam().handler);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(form->interaction().CommandMode, GetParam().firstMode);

    form->interaction().CommandMode = 0;  // idle again: a cancelled start leaves the mode it finds
    script(*form, false);
    Trigger(*form, GetParam().handler);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(form->interaction().CommandMode, 0);
}

TEST_P(ScriptedQuestion, AnUnsetQuestionIsCancelled)
{
    auto form = MakeShownForm();
    const AskingCommand& row = GetParam();
    if (row.numbers)
        form->questions().*row.numbers = nullptr;
    else
        form->questions().*row.parameters = nullptr;
    Trigger(*form, row.handler);
    EXPECT_EQ(form->interaction().CommandMode, 0);
}

INSTANTIATE_TEST_SUITE_P(
    FormQuestions, ScriptedQuestion,
    testing::Values(AskingCommand{"PopDrawCirc4Click", &Questions::numbers, nullptr, 410},
                    AskingCommand{"PopDrawLineAngClick", &Questions::numbers, nullptr, 150},
                    AskingCommand{"PopDrawPgon7Click", &Questions::numbers, nullptr, 2070},
                    AskingCommand{"PopDrawCBox2Click", nullptr, &Questions::corners, 312},
                    AskingCommand{"PopDrawMojiClick", nullptr, &Questions::text, 3000}));

TEST(FormWindows, AreMadeOnceEachAsChildrenOfTheForm)
{
    TForm1 form;
    QDialog* const madeFirst = form.Form2();  // before start-up: made at its first use
    form.dialogs().createAll();
    form.dialogs().createAll();
    const QDialog* windows[] = {form.FormNew(),  form.FormGrd(),  form.FormInp1(), form.FormInp2(), form.FormCBox(),
                                form.FormMoji(), form.Form2(),    form.Form3(),    form.Form4(),    form.Form5(),
                                form.Form6(),    form.Form7(),    form.FormLay()};
    std::set<const QDialog*> distinct;
    for (const QDialog* window : windows) {
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->parentWidget(), &form);
        distinct.insert(window);
    }
    EXPECT_EQ(distinct.size(), std::size(windows));
    EXPECT_EQ(form.Form2(), madeFirst);
    EXPECT_EQ(form.findChildren<QDialog*>(Qt::FindDirectChildrenOnly).size(), qsizetype(std::size(windows)));
}

}  // namespace
