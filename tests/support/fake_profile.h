// An application profile in memory that records every read and write in order.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "seams/profile.h"

namespace tolvane::testing {

class FakeProfile : public Profile {
 public:
  enum class Op { kGetString, kWriteString, kGetInt, kWriteInt };
  struct Call {
    Op op;
    std::string section;
    std::string key;
    std::string text;  // the value of a string write
    int32_t number{};  // the fallback of an integer read, the value of an integer write
  };

  ProfileRead ReadString(const std::string& section, const std::string& key,
                         std::string& value) override {
    calls.push_back({Op::kGetString, section, key, {}, 0});
    auto found = values.find({section, key});
    if (found == values.end()) return ProfileRead::kAbsent;
    const auto* text = std::get_if<std::string>(&found->second);
    if (text == nullptr) return ProfileRead::kFailed;  // an integer where a string belongs
    value = *text;
    return ProfileRead::kRead;
  }
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override {
    calls.push_back({Op::kWriteString, section, key, value, 0});
    values[{section, key}] = value;
  }
  int32_t GetInt(const std::string& section, const std::string& key, int32_t fallback) override {
    calls.push_back({Op::kGetInt, section, key, {}, fallback});
    auto found = values.find({section, key});
    if (found == values.end()) return fallback;
    if (const auto* number = std::get_if<int32_t>(&found->second)) return *number;
    return fallback;
  }
  void WriteInt(const std::string& section, const std::string& key, int32_t value) override {
    calls.push_back({Op::kWriteInt, section, key, {}, value});
    values[{section, key}] = value;
  }

  void SetString(const std::string& section, const std::string& key, std::string value) {
    values[{section, key}] = std::move(value);
  }
  void SetInt(const std::string& section, const std::string& key, int32_t value) {
    values[{section, key}] = value;
  }
  std::string StringAt(const std::string& section, const std::string& key) const {
    return std::get<std::string>(values.at({section, key}));
  }
  int32_t IntAt(const std::string& section, const std::string& key) const {
    return std::get<int32_t>(values.at({section, key}));
  }
  // The keys touched by calls of one kind, in call order.
  std::vector<std::string> KeysOf(Op op) const {
    std::vector<std::string> keys;
    for (const Call& call : calls)
      if (call.op == op) keys.push_back(call.key);
    return keys;
  }

  std::map<std::pair<std::string, std::string>, std::variant<std::string, int32_t>> values;
  std::vector<Call> calls;
};

}  // namespace tolvane::testing
