// Turning the styles of the style sheet dialog (styles.dat) into a style
// sheet the editor inserts into the page: one rule per style, the style's
// name as its selector ("body", "h1", ".note").
#pragma once

#include <string>

namespace orv {
class TCSSList;
}

namespace orv::edit {

// A <style> element (upper-case tags unless `lower_case`) holding one rule
// per style, in lines ended by LF. Values are written as the dialog stored
// them; an empty value leaves its property out.
std::string StyleSheetText(const TCSSList& styles, bool lower_case);

}  // namespace orv::edit
