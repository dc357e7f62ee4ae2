#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fakes/TestEnvironment.h"
#include "forms/Form.h"
#include "runtime/Trap.h"

// The form model's own life beyond what the two dialogs use: modeless showing, hiding, double
// clicks, z-order, colours and handles, scale units and being dropped while loaded; worked step
// by step into one approved transcript with the window backend's calls.
namespace zarvelin::forms {
namespace {

class ProbeForm : public Form {
 public:
  explicit ProbeForm(std::string& log) : Form(Design()), log_(log) {
    OnDblClick("lstItems", [this] { log_ += "  double click\n"; });
  }

 private:
  static FormDesign Design() {
    FormDesign design;
    design.name = "frmProbe";
    design.clientWidth = 3000;
    design.clientHeight = 2000;
    design.controls = {Placed("lblA", ControlKind::Label, "", "A", 0, 0, 900, 300),
                       Placed("txtB", ControlKind::TextBox, "", "b", 0, 400, 900, 300),
                       Placed("lstItems", ControlKind::PictureBox, "", "", 0, 800, 900, 600)};
    design.controls[0].backColor = Rgb{1, 2, 3};
    design.centredOnScreen = true;
    return design;
  }
  void Form_Activate() override { log_ += "  activated\n"; }
  void Form_QueryUnload(int32_t& cancel, int32_t mode) override {
    log_ += "  query unload mode " + std::to_string(mode) + "\n";
    cancel = refuseOnce_ ? 1 : 0;
    refuseOnce_ = false;
  }

  std::string& log_;
  bool refuseOnce_ = true;
};

std::string Colour(Rgb rgb) {
  return std::to_string(rgb.red) + "," + std::to_string(rgb.green) + "," + std::to_string(rgb.blue);
}

TEST(FormModel, LifeAsApproved) {
  fakes::TestEnvironment env;
  std::string log;
  const auto step = [&](const std::string& what, const std::function<std::string()>& action) {
    try {
      log += what + " -> " + action() + "\n";
    } catch (...) {
      log +=
          what + " -> error " + std::to_string(AsVbError(std::current_exception()).Number()) + "\n";
    }
  };
  {
    ProbeForm form(log);
    const auto place = [&] {
      return std::to_string(form.Left()) + "," + std::to_string(form.Top()) + " of " +
             std::to_string(form.Width()) + "x" + std::to_string(form.Height());
    };
    step("loaded in the middle of the screen", [&] {
      form.Load();
      return place();
    });
    step("moved", [&] {
      form.Move(100, 200);
      return place();
    });
    step("show modeless", [&] {
      form.Show();
      return std::to_string(form.Visible());
    });
    step("show modeless again", [&] {
      form.Show();
      return std::to_string(form.Visible());
    });
    step("show modal while shown", [&] {
      form.Show(1);
      return std::string();
    });
    step("hide", [&] {
      form.Hide();
      form.Hide();
      return std::to_string(form.Visible());
    });
    step("double click", [&] {
      form.DblClick("lstItems");
      form.DblClick("lblA");
      return std::string();
    });
    step("unknown control", [&] { return form.Ctl("cmdNone").Name(); });
    step("z-order", [&] {
      form.Ctl("lblA").ZOrder();
      std::string names;
      for (Control* control : form.ZOrdered("")) names += control->Name() + " ";
      return names;
    });
    step("colours", [&] {
      return Colour(form.Ctl("lblA").BackColor()) + " " + Colour(form.Ctl("txtB").BackColor()) +
             " " + Colour(form.Ctl("lstItems").BackColor());
    });
    step("handles", [&] {
      return std::to_string(form.Ctl("txtB").hWnd() - form.hWnd()) + " border " +
             std::to_string(form.Ctl("txtB").HasBorder());
    });
    step("a window of its own, and the form's device context", [&] {
      Control& box = form.Ctl("txtB");
      box.SetWindowHandle(form.hWnd() + 0x77);
      const std::string own = std::to_string(box.hWnd() - form.hWnd());
      box.SetWindowHandle(0);
      return own + " then " + std::to_string(box.hWnd() - form.hWnd()) + ", dc " +
             std::to_string(form.hDC() - form.hWnd());
    });
    step("scale", [&] {
      Control& box = form.Ctl("lstItems");
      box.SetScaleHeight(10);
      return std::to_string(box.ScaleHeight()) + " of " + std::to_string(box.InnerHeight());
    });
    step("close refused once",
         [&] { return std::to_string(form.CloseByUser()) + " " + std::to_string(form.Loaded()); });
    step("load while loaded keeps the place", [&] {
      form.Load();
      return std::to_string(form.Loaded()) + " " + place();
    });
    step("unloaded and loaded again, in the middle again", [&] {
      form.Unload();
      form.Load();
      return std::to_string(form.Loaded()) + " " + place();
    });
  }
  log += "dropped while loaded\n";
  fakes::ExpectApproved("forms/life", log + env.Transcript());
}

}  // namespace
}  // namespace zarvelin::forms
