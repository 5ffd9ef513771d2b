#include "sys/preferences.h"

#include "platform/folders.h"
#include "platform/ini_file.h"

namespace orv {

std::string PreferencesFile() { return DataDir() + "preferences.dat"; }

static TMailSettings ReadMailSettings(const TIniFile& ini) {
  return {ini.ReadString("Bug_Mail", "uname", ""), ini.ReadString("Bug_Mail", "email", ""),
          ini.ReadString("Bug_Mail", "SMTPHost", "")};
}

TMailSettings ReadMailSettings(const std::string& path) { return ReadMailSettings(TIniFile(path)); }

void WriteMailSettings(const std::string& path, const TMailSettings& settings) {
  TIniFile ini(path);
  ini.WriteString("Bug_Mail", "uname", settings.UserName);
  ini.WriteString("Bug_Mail", "email", settings.Email);
  ini.WriteString("Bug_Mail", "SMTPHost", settings.SmtpHost);
}

bool BugReportThanked(const std::string& path) { return TIniFile(path).ReadBool("Main", "Err", false); }

void SetBugReportThanked(const std::string& path) { TIniFile(path).WriteBool("Main", "Err", true); }

TPreferences ReadPreferences(const std::string& path) {
  const TIniFile ini(path);
  const TPreferences defaults;
  TPreferences prefs;
  prefs.LowerTags = ini.ReadBool("Environment", "LowerTags", defaults.LowerTags);
  prefs.SingleInstance = ini.ReadBool("Single", "value", defaults.SingleInstance);
  prefs.LastProject = ini.ReadBool("Environment", "LastProject", defaults.LastProject);
  prefs.NewEditor = ini.ReadBool("Environment", "NewEditor", defaults.NewEditor);
  const TMailSettings mail = ReadMailSettings(ini);
  prefs.Email = mail.Email;
  prefs.UserName = mail.UserName;
  prefs.SmtpHost = mail.SmtpHost;
  prefs.Maximize = ini.ReadBool("EdEnv", "Maximize", defaults.Maximize);
  prefs.Unix = ini.ReadBool("EdEnv", "UNIX", defaults.Unix);
  prefs.InsImg = ini.ReadBool("Environment", "InsImg", defaults.InsImg);
  prefs.FontName = ini.ReadString("EdEnv", "FontNm", defaults.FontName);
  prefs.FontSize = ini.ReadInteger("EdEnv", "FontSz", defaults.FontSize);
  prefs.UseProxy = ini.ReadBool("Proxy", "UseProxy", defaults.UseProxy);
  prefs.ProxyServer = ini.ReadString("Proxy", "server", "");
  prefs.ProxyPort = ini.ReadString("Proxy", "port", defaults.ProxyPort);
  prefs.ProxyUser = ini.ReadString("Proxy", "username", "");
  prefs.ProxyPassword = ini.ReadString("Proxy", "password", "");
  return prefs;
}

void WritePreferences(const std::string& path, const TPreferences& prefs) {
  TIniFile ini(path);
  ini.WriteBool("Environment", "LowerTags", prefs.LowerTags);
  ini.WriteBool("Environment", "LastProject", prefs.LastProject);
  ini.WriteBool("Environment", "NewEditor", prefs.NewEditor);
  ini.WriteBool("Single", "value", prefs.SingleInstance);
  ini.WriteString("Bug_Mail", "email", prefs.Email);
  ini.WriteString("Bug_Mail", "uname", prefs.UserName);
  ini.WriteString("Bug_Mail", "SMTPHost", prefs.SmtpHost);
  ini.WriteBool("EdEnv", "Maximize", prefs.Maximize);
  ini.WriteBool("EdEnv", "UNIX", prefs.Unix);
  ini.WriteBool("Environment", "InsImg", prefs.InsImg);
  ini.WriteString("EdEnv", "FontNm", prefs.FontName);
  ini.WriteInteger("EdEnv", "FontSz", prefs.FontSize);
  ini.WriteBool("Proxy", "UseProxy", prefs.UseProxy);
  ini.WriteString("Proxy", "server", prefs.ProxyServer);
  ini.WriteString("Proxy", "port", prefs.ProxyPort);
  ini.WriteString("Proxy", "username", prefs.ProxyUser);
  ini.WriteString("Proxy", "password", prefs.ProxyPassword);
}

}  // namespace orv
