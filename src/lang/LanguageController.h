#pragma once
// TLanguageController and TZrLangController: the component every window owns for its language
// texts. A controller is pointed at a language package (a file named after a form class, in
// the language folder of the installation), activated, and asked to apply the package's texts
// to a window and its components; LangText looks single message texts up by key.
//
// Reading the packages is not here yet: until it is, the language folder is empty, activating
// a controller only raises its open events, applying changes nothing, and LangText gives the
// default text.

#include "lang/CodeConverter.h"
#include "platform/components/Component.h"
#include "platform/components/Strings.h"

#include <memory>
#include <stdexcept>
#include <string>

struct _xmlNode;

namespace zrv {

class LanguageControllerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Component and its element in the package.
using TLoadComponentEvent = TEvent<TObject*, TComponent*, _xmlNode*>;

class TLanguageController : public TComponent {
public:
    explicit TLanguageController(TComponent* owner);
    ~TLanguageController() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const std::string& FileName() const { return fileName_; }
    // A different file name clears Lines and deactivates.
    void SetFileName(const std::string& name);
    TStrings* ExcludeControls() const { return excludeControls_.get(); }
    void SetExcludeControls(TStrings* list);
    TStrings* Lines() const { return lines_.get(); }
    void SetLines(TStrings* lines);

    bool Active() const { return active_; }
    // While the component is being read only the wish is kept; it is applied in Loaded.
    virtual void SetActive(bool active);
    // Applies the package's texts to `target` and the components it owns.
    virtual void ApplyTo(TComponent* target);

    void Loaded() override;

    TNotifyEvent BeforeOpen;
    TNotifyEvent AfterOpen;
    TNotifyEvent BeforeClose;
    TNotifyEvent AfterClose;
    TLoadComponentEvent BeforeLoadComponent;
    TLoadComponentEvent AfterLoadComponent;

protected:
    virtual void Open();
    virtual void Close();

private:
    std::string fileName_;
    std::unique_ptr<TStringList> excludeControls_;
    std::unique_ptr<TStringList> lines_;
    bool active_ = false;
    bool activeWhenLoaded_ = false;
};

class TZrLangController : public TLanguageController {
public:
    explicit TZrLangController(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TDesignType DesignType() const { return designType_; }
    void SetDesignType(TDesignType v) { designType_ = v; }
    const std::string& LangPackageName() const { return packageName_; }
    // A different name points FileName at LanguageFolder() + name + ".Lng".
    void SetLangPackageName(const std::string& name);
    // The language folder of the installation ("" when it cannot be told).
    virtual std::string LanguageFolder() const;
    // Whether the package file that FileName names exists.
    bool PackageExists() const;

private:
    TDesignType designType_ = TDesignType::dtClient;
    std::string packageName_;
};

// A message text by key from the package of a class; `defaultText` when there is none.
std::string LangText(TDesignType designType, const std::string& packageName, const std::string& key,
    const std::string& defaultText);

} // namespace zrv
