#pragma once
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

// A fresh folder removed with everything in it at the end of the test.
class TTempFolder {
public:
    TTempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "moraleaf-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    ~TTempFolder()
    {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Sets an environment variable (nullopt: unsets it) for the life of the object.
class TEnvironmentValue {
public:
    TEnvironmentValue(const char* name, std::optional<std::string> value)
        : name_(name)
    {
        if (const char* old = ::getenv(name))
            old_ = old;
        Set(value);
    }
    TEnvironmentValue(const TEnvironmentValue&) = delete;
    TEnvironmentValue& operator=(const TEnvironmentValue&) = delete;
    ~TEnvironmentValue() { Set(old_); }

private:
    void Set(const std::optional<std::string>& value)
    {
        if (value)
            ::setenv(name_, value->c_str(), 1);
        else
            ::unsetenv(name_);
    }

    const char* name_;
    std::optional<std::string> old_;
};
