#include "components/net/smtp_reply.h"

#include <cctype>

namespace orv::net {
namespace {

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

TSmtpReplyLine ParseSmtpReplyLine(const std::string& line) {
  TSmtpReplyLine reply;
  if (line.size() < 3) return reply;
  for (int i = 0; i < 3; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(line[i]))) return reply;
    reply.code = reply.code * 10 + (line[i] - '0');
  }
  reply.valid = true;
  reply.more = line.size() > 3 && line[3] == '-';
  if (line.size() > 4) reply.text = line.substr(4);
  return reply;
}

std::string MailboxAddress(const std::string& mailbox) {
  size_t open = mailbox.find('<');
  if (open == std::string::npos) return Trim(mailbox);
  size_t close = mailbox.find('>', open);
  return mailbox.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
}

std::vector<std::string> EntryAddresses(const std::string& entry) {
  std::vector<std::string> addresses;
  size_t start = 0;
  while (start <= entry.size()) {
    size_t comma = entry.find(',', start);
    std::string address = MailboxAddress(entry.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (!address.empty()) addresses.push_back(address);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return addresses;
}

}  // namespace orv::net
