// Test helper: what a user would see wrong with a shown form's layout:
// controls that overlap a sibling or stick out of their parent, and texts
// that do not fit their control. The layout tests of the dialog libraries
// open every dialog at the usual font, at a 1.5 times larger font and
// resized, and expect no problem.
#pragma once

#include <string>
#include <vector>

namespace orv {
class TCustomForm;
}

namespace orv::test {

// The problems of the form's layout as it is shown, one line each ("Edit1
// overlaps Label2", "Label3 cuts its text"). Every page of a page control is
// looked at in turn. The form must be shown.
std::vector<std::string> LayoutProblems(TCustomForm& form);

// Shows the form, checks it at its font, makes its font 1.5 times larger
// and checks again, then makes it 25% wider and taller and checks again;
// all problems found, each prefixed with when it was seen. The form is
// hidden again.
std::vector<std::string> LayoutProblemsAtEverySize(TCustomForm& form);

// The form written as a form file, read back into a new form and written
// again: empty when both writings are the same, else what differs (or why
// the writing could not be read). A dialog made from its form file passes
// when the reader and writer carry everything that file uses.
std::string FormFileRoundTripChange(const TCustomForm& form);

// With $ORV_SCREENSHOT_DIR set, saves pictures of the form for the
// documentation: NAME-normal.png at its font, NAME-large.png at a 1.5 times
// larger font, and NAME-large-fixed.png at that font with the layout kept as
// the form file gives it (Scaled off), as dialogs placed at fixed pixel
// positions were. The form is shown and hidden again, at its font.
void SaveLayoutScreenshots(TCustomForm& form, const std::string& name);

}  // namespace orv::test
