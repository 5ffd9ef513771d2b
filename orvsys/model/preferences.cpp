#include "orvsys/model/preferences.h"

#include "platform/folders.h"
#include "platform/ini_file.h"
#include "platform/ini_record.h"

namespace orv {
namespace {

// The keys of preferences.dat in the order the editor expects them written.
constexpr TIniKey<TPreferences> kPreferenceKeys[] = {
    {"Environment", "LowerTags", &TPreferences::LowerTags},
    {"Environment", "LastProject", &TPreferences::LastProject},
    {"Environment", "NewEditor", &TPreferences::NewEditor},
    {"Single", "value", &TPreferences::SingleInstance},
    {"Bug_Mail", "email", &TPreferences::Email},
    {"Bug_Mail", "uname", &TPreferences::UserName},
    {"Bug_Mail", "SMTPHost", &TPreferences::SmtpHost},
    {"EdEnv", "Maximize", &TPreferences::Maximize},
    {"EdEnv", "UNIX", &TPreferences::Unix},
    {"Environment", "InsImg", &TPreferences::InsImg},
    {"EdEnv", "FontNm", &TPreferences::FontName},
    {"EdEnv", "FontSz", &TPreferences::FontSize},
    {"Proxy", "UseProxy", &TPreferences::UseProxy},
    {"Proxy", "server", &TPreferences::ProxyServer},
    {"Proxy", "port", &TPreferences::ProxyPort},
    {"Proxy", "username", &TPreferences::ProxyUser},
    {"Proxy", "password", &TPreferences::ProxyPassword},
};

// The bug-report mail identity, in the order the error centre writes it.
constexpr TIniKey<TMailSettings> kMailKeys[] = {
    {"Bug_Mail", "uname", &TMailSettings::UserName},
    {"Bug_Mail", "email", &TMailSettings::Email},
    {"Bug_Mail", "SMTPHost", &TMailSettings::SmtpHost},
};

}  // namespace

std::string PreferencesFile() { return DataDir() + "preferences.dat"; }

TMailSettings ReadMailSettings(const std::string& path) {
  return ReadIniRecord<TMailSettings>(TIniFile(path), kMailKeys);
}

void WriteMailSettings(const std::string& path, const TMailSettings& settings) {
  TIniFile ini(path);
  WriteIniRecord<TMailSettings>(ini, kMailKeys, settings);
}

bool BugReportThanked(const std::string& path) { return TIniFile(path).ReadBool("Main", "Err", false); }

void SetBugReportThanked(const std::string& path) { TIniFile(path).WriteBool("Main", "Err", true); }

TPreferences ReadPreferences(const std::string& path, const TPreferences& defaults) {
  return ReadIniRecord<TPreferences>(TIniFile(path), kPreferenceKeys, defaults);
}

void WritePreferences(const std::string& path, const TPreferences& prefs) {
  TIniFile ini(path);
  WriteIniRecord<TPreferences>(ini, kPreferenceKeys, prefs);
}

}  // namespace orv
