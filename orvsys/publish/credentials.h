// Where publishing finds what proves who the user is, without ever writing a
// password to a file: ~/.netrc, SSH keys and the SSH agent, ~/.ssh/known_hosts
// for the servers' host keys, and passwords the user typed, kept in this
// process's memory only.
#pragma once

#include <optional>
#include <string>

namespace orv {

struct TSiteAddress;

// $HOME/.netrc, $HOME/.ssh/known_hosts (HOME from the environment, else
// the user's entry in the password database).
std::string NetrcFile();
std::string KnownHostsFile();

// The first of ~/.ssh/id_ed25519, id_ecdsa and id_rsa that exists, or "".
std::string SshIdentityFile();

// A password the user typed for the login of `address` in this process
// (LoginKey), if any. Never written anywhere.
std::optional<std::string> RememberedPassword(const TSiteAddress& address);
void RememberPassword(const TSiteAddress& address, const std::string& password);
void ForgetPassword(const TSiteAddress& address);

// An SSH host key as a server offered it: the key type's name as
// known_hosts writes it ("ssh-ed25519") and the key in base64.
struct THostKey {
  std::string Type;
  std::string Base64;
  // "SHA256:" and the unpadded base64 of the key's SHA-256, as ssh shows it.
  std::string Fingerprint() const;
};

// Adds "<host> <type> <key>" for `address` to known_hosts, creating ~/.ssh
// (mode 0700) and the file (mode 0600) when missing. Raises EInOutError.
void TrustHostKey(const TSiteAddress& address, const THostKey& key);

}  // namespace orv
