// Echo form of parsed commands.
#include "shell/syntax.h"

namespace tarnvelock {

namespace {

std::string RenderRedirections(const std::vector<Redirection>& redirections) {
  std::string out;
  for (const Redirection& r : redirections) {
    out += ' ';
    out += std::to_string(r.handle);
    switch (r.kind) {
      case Redirection::Kind::Input:
        out += "<";
        break;
      case Redirection::Kind::Write:
        out += ">";
        break;
      case Redirection::Kind::Append:
        out += ">>";
        break;
      case Redirection::Kind::Duplicate:
        out += ">&";
        break;
    }
    out += r.target;
  }
  return out;
}

const char* OperatorText(Chain::Op op) {
  switch (op) {
    case Chain::Op::Then:
      return "  & ";
    case Chain::Op::And:
      return "  && ";
    case Chain::Op::Or:
      return "  || ";
    case Chain::Op::Pipe:
      return " | ";
  }
  return " ";
}

struct Renderer {
  std::string operator()(const SimpleCommand& command) const { return command.text; }
  std::string operator()(const Block& block) const {
    std::string out = "(";
    for (const NodePtr& command : block.commands) {
      out += Render(*command);
      out += "\n ";
    }
    out += ")";
    return out;
  }
  std::string operator()(const IfStatement& statement) const {
    std::string out = "if ";
    if (statement.ignore_case) out += "/I ";
    if (statement.negate) out += "not ";
    switch (statement.kind) {
      case IfStatement::Kind::Compare:
        out += statement.left + " " + statement.op + " " + statement.right;
        break;
      case IfStatement::Kind::Exist:
        out += "exist " + statement.left;
        break;
      case IfStatement::Kind::Defined:
        out += "defined " + statement.left;
        break;
      case IfStatement::Kind::ErrorLevel:
        out += "errorlevel " + statement.left;
        break;
      case IfStatement::Kind::CmdExtVersion:
        out += "cmdextversion " + statement.left;
        break;
    }
    out += " " + Render(*statement.then_branch);
    if (statement.else_branch) out += " else " + Render(*statement.else_branch);
    return out;
  }
  std::string operator()(const ForStatement& statement) const {
    static const char* kSwitches[] = {"", "/D ", "/R ", "/L ", "/F ", "/D /R "};
    std::string out = "for ";
    out += kSwitches[static_cast<int>(statement.kind)];
    if (!statement.options.empty()) out += statement.options + " ";
    out += "%";
    out += statement.variable;
    out += " in (" + statement.set + ") do " + Render(*statement.body);
    return out;
  }
  std::string operator()(const Chain& chain) const {
    return Render(*chain.left) + OperatorText(chain.op) + Render(*chain.right);
  }
};

}  // namespace

std::string Render(const Node& node) {
  std::string out = std::visit(Renderer{}, node.value);
  return out + RenderRedirections(node.redirections);
}

}  // namespace tarnvelock
