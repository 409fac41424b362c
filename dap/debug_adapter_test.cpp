// The adapter's request mapping over a scripted batch: what each request
// does to the session and what the client is told - capabilities, malformed
// messages, breakpoint mapping, stop reasons, stack, scopes, setVariable,
// evaluate and pause.
#include "dap/debug_adapter.h"

#include <gtest/gtest.h>

#include "core/base/exchange_file_names.h"
#include "core/run/run_fakes_for_tests.h"

namespace tarnvelock::dap {
namespace {

using nlohmann::json;

constexpr char kBatch[] = "/work/job.bat";

class DebugAdapterTest : public testing::Test {
 protected:
  DebugAdapterTest() {
    EXPECT_TRUE(files_.CreateDirectory(L"/tmp"));
    files_.Create(L"/work/job.bat",
                  "@echo off\r\n"         // 0
                  "set COUNT=1\r\n"       // 1
                  "echo one ^\r\n"        // 2
                  "  two\r\n"             // 3
                  "call :sub x\r\n"       // 4
                  "goto :eof\r\n"         // 5
                  ":sub\r\n"              // 6
                  "echo in sub %1\r\n");  // 7
  }

  // Sends a request and returns its response.
  json Request(const std::string& command, json arguments = nullptr) {
    json request = {{"seq", ++seq_}, {"type", "request"}, {"command", command}};
    if (!arguments.is_null()) request["arguments"] = std::move(arguments);
    adapter_.HandleMessage(request.dump());
    return ResponseTo(seq_);
  }
  json ResponseTo(std::int64_t seq) {
    for (const json& message : sent_) {
      if (message["type"] == "response" && message["request_seq"] == seq) return message;
    }
    ADD_FAILURE() << "no response to request " << seq;
    return json::object();
  }
  // The events named name sent so far, taken out of the record.
  std::vector<json> Events(const std::string& name) {
    std::vector<json> found;
    std::erase_if(sent_, [&](const json& message) {
      if (message["type"] != "event" || message["event"] != name) return false;
      found.push_back(message.value("body", json::object()));
      return true;
    });
    return found;
  }
  // The reason of the one stop the next poll reports.
  std::string PollForStop() {
    adapter_.Poll();
    const std::vector<json> stops = Events("stopped");
    if (stops.size() != 1) return "no single stop";
    return stops[0]["reason"];
  }
  void Launch(bool stop_on_entry) {
    Request("initialize", {{"adapterID", "tarnvelock"}});
    ASSERT_EQ(Request("launch", {{"program", kBatch}, {"stopOnEntry", stop_on_entry}})["success"],
              true);
    ASSERT_EQ(Events("initialized").size(), 1u);
  }
  json Breakpoints(json breakpoints) {
    return Request("setBreakpoints",
                   {{"source", {{"path", kBatch}}}, {"breakpoints", breakpoints}});
  }

  VirtualFileSystem files_;
  VirtualEnvironment env_;
  ScriptedBatch batch_{files_};
  ScriptedStarter starter_{batch_};
  std::vector<json> sent_;
  DebugAdapter adapter_{ScriptedSessionPlatform(files_, env_, starter_), L"/opt",
                        [this](const json& message) { sent_.push_back(message); }};
  std::int64_t seq_ = 0;
};

TEST_F(DebugAdapterTest, InitializeAnnouncesWhatIsSupportedAndNothingElse) {
  const json body = Request("initialize", {{"adapterID", "tarnvelock"}})["body"];
  std::vector<std::string> supported;
  for (const auto& [key, value] : body.items()) {
    if (value.is_boolean() && value.get<bool>()) supported.push_back(key);
  }
  EXPECT_EQ(supported,
            (std::vector<std::string>{
                "supportsConditionalBreakpoints", "supportsConfigurationDoneRequest",
                "supportsEvaluateForHovers", "supportsExceptionInfoRequest",
                "supportsGotoTargetsRequest", "supportsHitConditionalBreakpoints",
                "supportsRestartRequest", "supportsSetVariable", "supportsTerminateRequest"}));
  ASSERT_EQ(body["exceptionBreakpointFilters"].size(), 2u);
  EXPECT_EQ(body["exceptionBreakpointFilters"][0]["label"], "Stop on error");
  EXPECT_EQ(body["exceptionBreakpointFilters"][1]["label"], "Stop on stderr output");
}

TEST_F(DebugAdapterTest, MalformedMessagesGetErrorResponsesAndTheSessionGoesOn) {
  adapter_.HandleMessage(R"({"seq": 7, "type": "request", "command": "threads", )");
  EXPECT_EQ(ResponseTo(7)["success"], false) << "the broken request is still answered";
  EXPECT_EQ(ResponseTo(7)["command"], "threads");
  adapter_.HandleMessage("[1, 2");
  EXPECT_EQ(Events("output").size(), 1u) << "nothing to answer: a note in the console";

  seq_ = 10;
  EXPECT_EQ(Request("frobnicate")["success"], false);
  EXPECT_EQ(Request("frobnicate")["message"], "unsupported request \"frobnicate\"");
  Request("initialize");
  const json missing = Request("launch");
  EXPECT_EQ(missing["success"], false);
  EXPECT_EQ(missing["message"], "launch needs \"program\": the batch file to debug");
  EXPECT_EQ(Request("launch", {{"program", "/work/none.bat"}})["success"], false);
  EXPECT_EQ(Request("launch", {{"program", kBatch}, {"stopOnEntry", "yes"}})["success"], false)
      << "a mistyped argument";
  Launch(true);
  EXPECT_EQ(Request("setBreakpoints", {{"breakpoints", json::array()}})["success"], false);
  EXPECT_EQ(Request("threads")["success"], true);
}

TEST_F(DebugAdapterTest, BreakpointsAreMappedOntoTheLinesThatCanCarryThem) {
  Launch(true);
  const json answer = Breakpoints(json::array({
      {{"line", 4}},  // continues line 3 (1-based)
      {{"line", 7}},  // a label
      {{"line", 2}, {"condition", "%COUNT%==1"}, {"hitCondition", "3"}},
      {{"line", 8}, {"condition", "COUNT"}},  // no comparison
      {{"line", 5}, {"hitCondition", ">2"}},
  }))["body"]["breakpoints"];
  ASSERT_EQ(answer.size(), 5u);
  EXPECT_EQ(answer[0]["verified"], true);
  EXPECT_EQ(answer[0]["line"], 3) << "the statement's first line";
  EXPECT_EQ(answer[1]["verified"], false);
  EXPECT_EQ(answer[1]["message"], "no breakpoint here: it is a label");
  EXPECT_EQ(answer[2]["verified"], true);
  EXPECT_EQ(answer[3]["verified"], false);
  EXPECT_EQ(answer[3]["message"],
            "Syntaxerror: Insert Condition for Batch IF-command! Example: \"%var%==1\" or "
            "\"defined var\" or \"%%s==0\" or \"exist <file>\"");
  EXPECT_EQ(answer[4]["verified"], false);

  // A later request for the file holds all its breakpoints: line 3 goes.
  const json again = Breakpoints(json::array({{{"line", 2}}}))["body"]["breakpoints"];
  EXPECT_EQ(again[0]["verified"], true);
  const json other =
      Request("setBreakpoints", {{"source", {{"path", "/work/other.bat"}}},
                                 {"breakpoints", json::array({{{"line", 1}}})}})["body"];
  EXPECT_EQ(other["breakpoints"][0]["verified"], false);
}

TEST_F(DebugAdapterTest, AWholeRunReportsEachStopWithItsReasonAndLevels) {
  batch_.Then([](ScriptedBatch& b) { b.StopAt(1); });
  batch_.Then([](ScriptedBatch& b) { b.StopAt(4); });
  batch_.Then([](ScriptedBatch& b) {
    b.Write(PerCallFile(kParametersPrefix, 1), "0=:sub\r\n1=x\r\n");
    b.StopAt(7, 0, 1);
  });
  batch_.Then([](ScriptedBatch& b) {
    b.ErrorOutput("bad command\r\n");
    b.Write(kLastLineFile, "7\r\n");
    b.StopAt(7, 0, 1);
  });
  batch_.Then([](ScriptedBatch& b) { b.EndOfFile(); });
  Launch(true);
  Request("configurationDone");
  EXPECT_EQ(Events("continued").size(), 1u);
  EXPECT_EQ(PollForStop(), "entry");

  Request("stepIn");
  EXPECT_EQ(PollForStop(), "step");
  Request("stepIn");
  EXPECT_EQ(PollForStop(), "step");
  const json frames = Request("stackTrace", {{"threadId", 1}})["body"]["stackFrames"];
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0]["name"], ":sub");
  EXPECT_EQ(frames[0]["line"], 8);
  EXPECT_EQ(frames[1]["name"], "job.bat");
  EXPECT_EQ(frames[1]["line"], 5) << "the CALL";
  const json locals = Request("variables", {{"variablesReference", kLocalsScope}})["body"];
  EXPECT_EQ(locals["variables"][1]["name"], "%1");
  EXPECT_EQ(locals["variables"][1]["value"], "x");
  EXPECT_EQ(Request("evaluate", {{"expression", "%1"}, {"context", "hover"}})["body"]["result"],
            "x");
  EXPECT_EQ(Request("evaluate", {{"expression", "%9"}, {"context", "hover"}})["success"], false);

  // An error the batch's settings do not tolerate is an exception.
  Request("continue");
  EXPECT_EQ(PollForStop(), "exception");
  EXPECT_EQ(Request("exceptionInfo", {{"threadId", 1}})["body"]["description"], "bad command");

  Request("continue");
  adapter_.Poll();
  EXPECT_EQ(Events("terminated").size(), 1u);
  EXPECT_EQ(Request("stepIn")["success"], false) << "nothing to step after the end";
  Request("disconnect");
  EXPECT_TRUE(adapter_.Finished());
}

TEST_F(DebugAdapterTest, SetVariableGoesThroughTheGlobalPaneAndRefusesABadErrorLevel) {
  batch_.Then([](ScriptedBatch& b) {
    b.StopAt(1);
    b.Write(kGlobalsFile, "CD=/work\r\nERRORLEVEL=0\r\nCOUNT=1\r\n");
  });
  Launch(true);
  Request("configurationDone");
  ASSERT_EQ(PollForStop(), "entry");
  const json set = Request(
      "setVariable", {{"variablesReference", kGlobalsScope}, {"name", "COUNT"}, {"value", "5"}});
  EXPECT_EQ(set["body"]["value"], "5");
  EXPECT_NE(files_.Contents(batch_.Path(kActionFile)).find("COUNT=5"), std::string::npos);

  const json bad =
      Request("setVariable",
              {{"variablesReference", kGlobalsScope}, {"name", "ERRORLEVEL"}, {"value", "two"}});
  EXPECT_EQ(bad["success"], false);
  EXPECT_EQ(bad["message"], "\"two\" ist kein gültiger ERRORLEVEL");
  EXPECT_EQ(
      Request("setVariable",
              {{"variablesReference", kLocalsScope}, {"name", "%1"}, {"value", "y"}})["success"],
      false);
}

TEST_F(DebugAdapterTest, PauseAsksTheRunningBatchToBreakEvenWithBreakOffInItsSettings) {
  batch_.Then([](ScriptedBatch& b) { b.Begin(1); });
  batch_.Then([](ScriptedBatch& b) { b.StopAt(2); });
  Launch(false);
  Request("configurationDone");
  adapter_.Poll();
  ASSERT_TRUE(adapter_.Running());
  EXPECT_EQ(Request("pause", {{"threadId", 1}})["success"], true);
  EXPECT_TRUE(files_.FileExists(batch_.Path(kBreakRequestFile)));
  EXPECT_NE(files_.Contents(L"/tmp/_dbgTmp/job.bat").find("_dbgDoBreak"), std::string::npos)
      << "the instrumented batch looks for the break request";
  batch_.Wake();
  EXPECT_EQ(PollForStop(), "pause");

  Request("disconnect");
  EXPECT_FALSE(files_.FileExists(batch_.Path(kStopSignalFile))) << "the session is closed";
  const std::string settings = files_.Contents(L"/work/job.bat.ini");
  EXPECT_NE(settings.find("EnableBreak=0"), std::string::npos)
      << "the batch's own setting is kept: " << settings;
}

TEST_F(DebugAdapterTest, NoDebugRunsToTheEndPastEveryBreakpointAndError) {
  batch_.Then([](ScriptedBatch& b) { b.EndOfFile(); });
  Request("initialize");
  ASSERT_EQ(Request("launch", {{"program", kBatch}, {"noDebug", true}})["success"], true);
  Breakpoints(json::array({{{"line", 2}}}));
  Request("configurationDone");
  EXPECT_EQ(batch_.breaks.back(), "8") << "only the end-of-file line";
  adapter_.Poll();
  EXPECT_EQ(Events("stopped").size(), 0u);
  EXPECT_EQ(Events("terminated").size(), 1u);
}

TEST_F(DebugAdapterTest, GotoRunsToALineAndRestartBeginsAgain) {
  batch_.Then([](ScriptedBatch& b) { b.StopAt(1); });
  batch_.Then([](ScriptedBatch& b) { b.StopAt(4); });
  batch_.Then([](ScriptedBatch& b) { b.StopAt(1); });
  Launch(true);
  Request("configurationDone");
  ASSERT_EQ(PollForStop(), "entry");
  EXPECT_EQ(
      Request("gotoTargets", {{"source", {{"path", kBatch}}}, {"line", 7}})["body"]["targets"],
      json::array())
      << "a label";
  const json targets =
      Request("gotoTargets", {{"source", {{"path", kBatch}}}, {"line", 5}})["body"]["targets"];
  ASSERT_EQ(targets.size(), 1u);
  Request("goto", {{"threadId", 1}, {"targetId", targets[0]["id"]}});
  EXPECT_EQ(batch_.breaks.back(), "4") << "the target first";
  EXPECT_EQ(PollForStop(), "goto");

  EXPECT_EQ(Request("restart")["success"], true);
  EXPECT_EQ(starter_.starts, 2) << "a new interpreter";
  EXPECT_EQ(PollForStop(), "entry");
}

TEST_F(DebugAdapterTest, AnErrorFilterSwitchedOffLetsTheRunGoOnPastThatKindOfError) {
  batch_.Then([](ScriptedBatch& b) {
    b.ErrorOutput("warning only\r\n");
    b.Write(kLastLineFile, "1\r\n");
    b.StopAt(2);
  });
  batch_.Then([](ScriptedBatch& b) {
    b.Write(kLastLineFile, "4\r\n");
    b.StopAt(4, 3);
  });
  batch_.Then([](ScriptedBatch& b) { b.EndOfFile(); });
  Launch(false);
  EXPECT_EQ(Request("setExceptionBreakpoints", {{"filters", {"error"}}})["success"], true);
  Request("configurationDone");
  adapter_.Poll();
  EXPECT_TRUE(Events("stopped").empty()) << "error output is not stopped at";
  EXPECT_EQ(PollForStop(), "exception") << "an ERRORLEVEL is";
  EXPECT_EQ(Request("exceptionInfo", {{"threadId", 1}})["body"]["description"], "ERRORLEVEL=3");
}

TEST_F(DebugAdapterTest, TheDebugConsoleRunsOneCommandAtATime) {
  batch_.Then([](ScriptedBatch& b) { b.StopAt(1); });
  batch_.Then([](ScriptedBatch&) {});  // the added command is still running
  Launch(true);
  Request("configurationDone");
  ASSERT_EQ(PollForStop(), "entry");
  const std::int64_t first = ++seq_;
  adapter_.HandleMessage(json{{"seq", first},
                              {"type", "request"},
                              {"command", "evaluate"},
                              {"arguments", {{"expression", "set X=1"}, {"context", "repl"}}}}
                             .dump());
  EXPECT_EQ(Request("evaluate", {{"expression", "echo 2"}, {"context", "repl"}})["message"],
            "the last command from the debug console is still running");
  ASSERT_FALSE(batch_.actions.empty());
  EXPECT_NE(batch_.actions.back().find("set X=1"), std::string::npos);
  Request("terminate");
  adapter_.Poll();
  EXPECT_EQ(ResponseTo(first)["success"], true) << "answered when the run ended";
  EXPECT_EQ(Events("terminated").size(), 1u);
}

}  // namespace
}  // namespace tarnvelock::dap
