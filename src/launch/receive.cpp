#include "launch/receive.h"

#include <map>

#include "common/names.h"
#include "launch/receive_files.h"
#include "launch/receive_problem.h"
#include "platform/platform.h"

const int RECEIVE_PORT = 10048;

namespace {

const std::string PORT_OPTION = "--port=";
const int BAD_OPTIONS = 2;    // as the launcher's status for a wrong option
const int NOT_LISTENING = 1;  // the port could not be had

std::string FOLDER;                           // where the problems go, as a full path
std::map<std::string, long long> BATCH_SEEN;  // problems received of each batch

// Reads "--port=N" and the folder; false, once said why, for anything else.
bool Read_Receive_Options(const std::vector<std::string>& args, int& port, std::string& folder) {
  for (const std::string& arg : args) {
    if (arg.compare(0, PORT_OPTION.size(), PORT_OPTION) == 0) {
      std::string value = arg.substr(PORT_OPTION.size());
      bool digits = !value.empty() && value.size() <= 5 &&
                    value.find_first_not_of("0123456789") == std::string::npos;
      port = digits ? std::stoi(value) : 0;
      if (port >= 1024 && port <= 65535) continue;
      Write_Out("无法接收题目：端口“" + value + "”不是 1024 到 65535 之间的整数（例如 --port=" +
                std::to_string(RECEIVE_PORT) + "）。\n");
      return false;
    }
    if (arg.compare(0, 2, "--") == 0 || !folder.empty()) {
      Write_Out("无法接收题目：多余的“" + arg +
                "”（用法：tarnwickstone-launch --receive [--port=端口] [文件夹]）。\n");
      return false;
    }
    folder = arg;
  }
  if (folder.empty()) folder = ".";
  if (Path_Status(folder) == PATH_DIRECTORY) return true;
  Write_Out("无法接收题目：文件夹 " + folder + " 不存在。\n");
  return false;
}

// The host part of a Host header: "localhost" of "localhost:10048".
std::string Host_Name(const std::string& host) {
  if (!host.empty() && host[0] == '[') return Lower(host.substr(0, host.find(']') + 1));
  return Lower(host.substr(0, host.find(':')));
}

// Why a request is no problem sent by the extension to this machine; "" when it is one.
std::string Refusal(const Http_Request& request, int& status) {
  std::string origin = Lower(request.origin), host = Host_Name(request.host);
  status = 403;
  // A web page may post to this port too: only an extension may send problems.
  if (!origin.empty() && origin.find("-extension://") == std::string::npos)
    return "请求来自网页 " + request.origin + "，不是浏览器扩展";
  if (!request.host.empty() && host != "127.0.0.1" && host != "localhost")
    return "请求是发给 " + request.host + " 的，不是发给本机（127.0.0.1 或 localhost）的";
  status = 413;
  if (request.too_large)
    return "内容超过 " + std::to_string(RECEIVED_MOST >> 20) + " MB，不像是一道题目";
  status = 405;
  if (request.method != "POST")
    return request.method.empty() ? "请求不是有效的 HTTP 请求"
                                  : "请求方式是 " + request.method + "，题目只用 POST 发送";
  return "";
}

// How much of a batch has come: "，这批已收到 2/5 道".
std::string Batch_Note(const Received_Problem& problem) {
  if (problem.batch.empty() || problem.batch_size <= 1) return "";
  long long seen = ++BATCH_SEEN[problem.batch];
  return "，这批已收到 " + std::to_string(seen) + "/" + std::to_string(problem.batch_size) + " 道";
}

Http_Answer Answer(const Http_Request& request) {
  int status = 0;
  std::string why = Refusal(request, status), said;
  Received_Problem problem;
  if (why.empty() && !Read_Problem(request.body, problem, why)) status = 400;
  if (why.empty() && !Save_Problem(problem, FOLDER, said, why)) status = 500;
  if (!why.empty()) {
    why = Shown_Path(why);  // what was sent may hold control characters, an escape among them
    Write_Out("没有接收：" + why + "，什么也没有写入。\n");
    return {status, why + "\n"};
  }
  said += Batch_Note(problem) + "。\n";
  for (const std::string& note : problem.notes) said += "提示：" + note + "。\n";
  Write_Out(said);
  return {200, "OK\n"};
}

}  // namespace

int Receive(const std::vector<std::string>& args) {
  int port = RECEIVE_PORT;
  std::string folder;
  if (!Read_Receive_Options(args, port, folder)) return BAD_OPTIONS;
  FOLDER = Real_Path(folder);
  if (FOLDER.empty()) FOLDER = folder;  // shown as given when its full path cannot be told
  std::string where = "127.0.0.1:" + std::to_string(port), why;
  auto ready = [&] {
    Write_Out("正在 " + where + " 接收 Competitive Companion 发来的题目，保存到 " + FOLDER +
              "。\n在浏览器的题目页面上点击 Competitive Companion 的绿色加号图标，按 Ctrl+C "
              "结束。\n");
  };
  if (!Serve_Loopback(port, RECEIVED_MOST, ready, Answer, &why)) {
    Write_Out("无法在 " + where + " 接收题目（" + why +
              "）。可以用 --port= 换一个端口，并在 Competitive Companion 的设置里改成同一个。\n");
    return NOT_LISTENING;
  }
  Write_Out("已停止接收题目。\n");
  return 0;
}
