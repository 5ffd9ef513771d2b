// One line of an SMTP reply: the three-digit code, whether more lines of the
// same reply follow ("250-..."), and the text from the fifth character on.
#pragma once

#include <string>
#include <vector>

namespace orv::net {

// A reply line taken apart.
struct TSmtpReplyLine {
  bool valid = false;  // begins with three digits
  int code = 0;
  bool more = false;   // the fourth character is "-"
  std::string text;
};

TSmtpReplyLine ParseSmtpReplyLine(const std::string& line);

// The address part of a mailbox text: what lies inside the angle brackets,
// or the whole text (without surrounding blanks) when there are none.
std::string MailboxAddress(const std::string& mailbox);

// The addresses of a recipient entry that holds mailboxes separated by commas.
std::vector<std::string> EntryAddresses(const std::string& entry);

}  // namespace orv::net
