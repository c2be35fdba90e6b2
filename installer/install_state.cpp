// The installer's run state.
#include "install_state.h"

#include <memory>

namespace inst {
namespace {
std::unique_ptr<InstallState>& holder() {
  static std::unique_ptr<InstallState> s(new InstallState);
  return s;
}
}  // namespace

InstallState& state() { return *holder(); }

void resetState() { holder().reset(new InstallState); }

}  // namespace inst
