// T_MailNews and T_Mail: compose an RFC 822 message (headers in a fixed
// order, the date with the local time zone, a message id) as a MIME text
// message in UTF-8 and hand it with its envelope to a T_SMTP.
#pragma once

#include <ctime>
#include <string>

#include "components/component.h"
#include "components/net/tcpip.h"
#include "components/string_list.h"

namespace orv::net {

// The date of a mail header for `when` in the local time zone:
// "Mon, 7 Dec 2026 16:20:00 +0100" ("GMT" when the zone is UTC).
std::string MailDate(std::time_t when);

// The headers and body common to mail and news.
class T_MailNews : public TComponent {
 public:
  explicit T_MailNews(TComponent* owner = nullptr) : TComponent(owner) {}
  std::string ClassName() const override { return "T_MailNews"; }

  std::string Sender, From, Subject, References, ReplyTo;
  TStringList Body;    // the message text, line by line
  TStringList Header;  // extra header lines

 protected:
  // Completes `lines_` (which holds the recipient headers) with the common
  // headers, the empty line and the body.
  void BuildHeaders();

  TStringList lines_;
};

// A mail sent through SMTP.
class T_Mail : public T_MailNews {
 public:
  explicit T_Mail(TComponent* owner = nullptr) : T_MailNews(owner) {}
  std::string ClassName() const override { return "T_Mail"; }

  T_SMTP* SMTP = nullptr;
  bool Disclose_Receipts = false;
  TStringList Recipients, CC, BCC;

  // Sends the mail; nothing happens without SMTP, recipients or From.
  void Action();
};

}  // namespace orv::net
