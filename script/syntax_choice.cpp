#include "script/syntax_choice.h"

namespace tw {

void LookForX264(App& app) {
  const std::optional<std::string> line = app.platform.x264->VersionLine();
  app.foundSyntax = SyntaxOfVersion(line);
  app.form.SetText(ControlId::X264FoundLabel, FoundLabelText(line));
}

OptionSyntax SyntaxOfForm(const App& app) {
  return ChosenSyntax(app.form.State(ControlId::X264SyntaxCombo), app.foundSyntax);
}

}  // namespace tw
