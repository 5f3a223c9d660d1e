#pragma once
// The macro editor's extensibility objects, as far as the graders use them:
// Application.VBE.VBProjects(i).VBComponents(j).CodeModule. Every open workbook of the instance
// has a project (in opening order); its components are the modules of the workbook's macro
// project, and a workbook without a readable project has none.

#include <cstdint>
#include <memory>
#include <string>

#include "spreadsheet/core/variant.h"
#include "spreadsheet/model/macro_project.h"

namespace tabrel::xl {

class Application;
struct Book;
class VBProjects;
class VBProject;
class VBComponents;
class VBComponent;
class CodeModule;

class VBE : public Dispatch {
 public:
  explicit VBE(std::shared_ptr<Application> app);
  std::u16string type_name() const override { return u"VBE"; }
  std::shared_ptr<xl::VBProjects> VBProjects() const;

 private:
  std::shared_ptr<Application> app_;
};

class VBProjects : public Dispatch {
 public:
  explicit VBProjects(std::shared_ptr<Application> app);
  std::u16string type_name() const override { return u"VBProjects"; }
  int Count() const;
  // By position (1-based) or by the project's name; a missing one raises 9.
  std::shared_ptr<VBProject> Item(const Variant& index) const;

 private:
  std::shared_ptr<Application> app_;
};

class VBProject : public Dispatch {
 public:
  VBProject(std::shared_ptr<Application> app, std::shared_ptr<Book> book);
  std::u16string type_name() const override { return u"VBProject"; }
  std::shared_ptr<xl::VBComponents> VBComponents() const;

 private:
  std::shared_ptr<Application> app_;
  std::shared_ptr<Book> book_;
};

class VBComponents : public Dispatch {
 public:
  VBComponents(std::shared_ptr<Application> app, std::shared_ptr<Book> book);
  std::u16string type_name() const override { return u"VBComponents"; }
  int Count() const;
  // By position (1-based, in the project's order) or by name (letter case ignored); a missing
  // one raises 9.
  std::shared_ptr<VBComponent> Item(const Variant& index) const;
  // A new empty standard module (type 1) named Module1, Module2 ... after those there are; the
  // workbook gains a project when it has none.
  std::shared_ptr<VBComponent> Add(int type);

 private:
  std::shared_ptr<Application> app_;
  std::shared_ptr<Book> book_;
};

// A component finds its module again by name on every access and raises once it is gone.
class VBComponent : public Dispatch {
 public:
  VBComponent(std::shared_ptr<Application> app, std::shared_ptr<Book> book, std::u16string name);
  std::u16string type_name() const override { return u"VBComponent"; }
  std::u16string Name() const;
  std::shared_ptr<xl::CodeModule> CodeModule() const;

 private:
  std::shared_ptr<Application> app_;
  std::shared_ptr<Book> book_;
  std::u16string name_;
};

// The module of an open workbook's macro project by name; raises when the instance quit, the
// workbook closed or the module is gone.
model::MacroModule& open_module(Application& app, Book& book, std::u16string_view name);

}  // namespace tabrel::xl
