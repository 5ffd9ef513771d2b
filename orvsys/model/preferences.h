// preferences.dat: the user's settings for the whole tool set (start-up,
// HTML tag case, bug-report mail identity, editor display, proxy), as the
// preferences dialog reads and writes them. Sections the dialog does not
// know (Main, Styles) are never touched.
#pragma once

#include <string>

namespace orv {

// The seventeen values of preferences.dat that the preferences dialog edits.
struct TPreferences {
  bool LowerTags = true;      // Environment/LowerTags
  bool LastProject = false;   // Environment/LastProject
  bool NewEditor = true;      // Environment/NewEditor
  bool InsImg = true;         // Environment/InsImg
  bool SingleInstance = true; // Single/value
  std::string Email;          // Bug_Mail/email
  std::string UserName;       // Bug_Mail/uname
  std::string SmtpHost;       // Bug_Mail/SMTPHost
  bool Maximize = false;      // EdEnv/Maximize
  bool Unix = false;          // EdEnv/UNIX
  std::string FontName = "Courier New";  // EdEnv/FontNm
  int FontSize = 10;          // EdEnv/FontSz
  bool UseProxy = false;      // Proxy/UseProxy
  std::string ProxyServer;    // Proxy/server
  std::string ProxyPort = "8080";  // Proxy/port
  std::string ProxyUser;      // Proxy/username
  std::string ProxyPassword;  // Proxy/password
};

// DataDir() + "preferences.dat".
std::string PreferencesFile();

// The values of `path`; those of `defaults` for a missing file or key (the
// web download, for one, takes no proxy port when none is stored).
TPreferences ReadPreferences(const std::string& path, const TPreferences& defaults = TPreferences{});

// The bug-report mail identity of section Bug_Mail.
struct TMailSettings {
  std::string UserName;  // uname
  std::string Email;     // email
  std::string SmtpHost;  // SMTPHost

  // True when none of the three is empty.
  bool Complete() const { return !UserName.empty() && !Email.empty() && !SmtpHost.empty(); }
};

// The mail identity of `path`; empty texts for missing keys.
TMailSettings ReadMailSettings(const std::string& path);

// Writes uname, email and SMTPHost, in that order; EInOutError as below.
void WriteMailSettings(const std::string& path, const TMailSettings& settings);

// Main/Err: whether the user was already thanked for a bug report.
bool BugReportThanked(const std::string& path);
void SetBugReportThanked(const std::string& path);

// Writes all seventeen keys, in the order the editor expects them
// (LowerTags, LastProject, NewEditor, Single, the mail identity, Maximize,
// UNIX, InsImg, the font, the proxy). Each write replaces the file
// atomically; EInOutError names the file and the reason when it cannot.
void WritePreferences(const std::string& path, const TPreferences& prefs);

}  // namespace orv
