#include "components/net/mail.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "components/net/mime.h"

namespace orv::net {
namespace {

const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Seconds since 1970 counted in local time.
long long LocalSeconds(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  return static_cast<long long>(when) + local.tm_gmtoff;
}

}  // namespace

std::string MailDate(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  char zone[32] = "GMT";
  if (local.tm_gmtoff != 0) {
    int minutes = static_cast<int>(std::labs(local.tm_gmtoff) / 60 % (24 * 60));
    std::snprintf(zone, sizeof zone, "%c%02d%02d", local.tm_gmtoff > 0 ? '+' : '-', minutes / 60, minutes % 60);
  }
  char text[160];
  std::snprintf(text, sizeof text, "%s, %d %s %04d %02d:%02d:%02d %s", kDays[local.tm_wday], local.tm_mday,
                kMonths[local.tm_mon], local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec, zone);
  return text;
}

void T_MailNews::BuildHeaders() {
  std::time_t now = std::time(nullptr);
  lines_.Insert(0, "From: " + HeaderMailbox(From));
  if (!Sender.empty()) lines_.Add("Sender: " + HeaderMailbox(Sender));
  lines_.Insert(1, "Message-ID: <" + std::to_string(LocalSeconds(now)) + "@" + LocalHostName() + ">");
  lines_.Insert(2, "Date: " + MailDate(now));
  lines_.Insert(3, "Subject: " + HeaderText(Subject));
  if (!References.empty()) lines_.Add("References: " + References);
  if (!ReplyTo.empty()) lines_.Add("Reply-To: " + HeaderMailbox(ReplyTo));
  lines_.AddStrings(Header);
  // A MIME text body: as it is while every relay takes it so, otherwise in
  // quoted-printable, which no relay changes or refuses (long lines, UTF-8).
  std::vector<std::string> body;
  for (int i = 0; i < Body.Count(); ++i) body.push_back(Body.Get(i));
  const bool seven_bit = IsSevenBitText(body);
  lines_.Add("MIME-Version: 1.0");
  lines_.Add("Content-Type: text/plain; charset=UTF-8");
  lines_.Add(std::string("Content-Transfer-Encoding: ") + (seven_bit ? "7bit" : "quoted-printable"));
  lines_.Add("");
  for (const std::string& line : seven_bit ? body : QuotedPrintableLines(body)) lines_.Add(line);
}

void T_Mail::Action() {
  if (!SMTP || Recipients.Count() == 0 || From.empty()) return;
  // The sender set for this mail and the lines built for it go again when
  // the mail is done, also when sending failed.
  struct Cleanup {
    T_Mail& mail;
    bool own_sender;
    ~Cleanup() {
      if (own_sender) mail.SMTP->SetSenderAddress("");
      mail.lines_.Clear();
    }
  } cleanup{*this, SMTP->SenderAddress().empty()};
  if (cleanup.own_sender) SMTP->SetSenderAddress(Sender.empty() ? From : Sender);
  lines_.Clear();
  if (Disclose_Receipts) {
    lines_.Add("To: disclosed recipients list");
  } else {
    for (int i = 0; i < Recipients.Count(); ++i) lines_.Add("To: " + Recipients.Get(i));
  }
  TStringList& envelope = SMTP->Recipients();
  envelope.Assign(&Recipients);
  for (int i = 0; i < CC.Count(); ++i) {
    lines_.Add("CC: " + CC.Get(i));
    envelope.Add(CC.Get(i));
  }
  envelope.AddStrings(BCC);
  BuildHeaders();
  SMTP->Message().Assign(&lines_);
  SMTP->Action();
}

}  // namespace orv::net
