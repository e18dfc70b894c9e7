#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "host/ui/Persistent.h"

// A list of strings. TStringList holds them; other classes may present their own lines as
// TStrings. Stored in a layout as `Lines.Strings = ( 'first' 'second' )`.
class TStrings : public TPersistent {
    DECLARE_CLASS(TStrings, TPersistent)

public:
    virtual int Count() const = 0;
    // Raise EListError for an index outside the list.
    virtual std::string Strings(int index) const = 0;
    virtual void Put(int index, const std::string& value) = 0;
    virtual void Insert(int index, const std::string& value) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    // Appends a string and answers its index.
    int Add(const std::string& value);
    // Every string followed by a line break ("\n").
    std::string Text() const;
    // Replaces the list with the lines of `text` (broken at "\r\n", "\n" or "\r").
    void SetText(std::string_view text);
    // The first string equal to `value` in any ASCII letter case, or -1.
    int IndexOf(std::string_view value) const;

    // Changes between BeginUpdate and the last EndUpdate are announced once.
    void BeginUpdate();
    void EndUpdate();

    void Assign(const TPersistent& source) override;
    void DefineProperties(TFiler& filer) override;

protected:
    // Called when the first BeginUpdate starts and the last EndUpdate ends an update.
    virtual void SetUpdateState(bool updating);
    int UpdateCount() const { return updateCount_; }

private:
    int updateCount_ = 0;
};

class TStringList : public TStrings {
    DECLARE_CLASS(TStringList, TStrings)

public:
    int Count() const override { return static_cast<int>(items_.size()); }
    std::string Strings(int index) const override;
    void Put(int index, const std::string& value) override;
    void Insert(int index, const std::string& value) override;
    void Delete(int index) override;
    void Clear() override;

    // Before and after every change; during an update, once before the first and once at the end.
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    void SetUpdateState(bool updating) override;

private:
    void Changing();
    void Changed();
    void CheckIndex(int index, int limit) const;

    std::vector<std::string> items_;
};
