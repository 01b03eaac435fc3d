#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for tests: answers every request with the reply the test
// set (or hangs up), one connection at a time, and records what it received.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

class HttpTestServer {
public:
    struct Request {
        std::string method;
        std::string target;
        std::map<std::string, std::string> headers; // names in lower case
        std::string body;
    };
    struct Reply {
        int status = 200;
        std::string body;
        bool hangUp = false; // close the connection without answering
    };

    HttpTestServer()
    {
        listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr {};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        if (listen_ < 0 || ::bind(listen_, reinterpret_cast<sockaddr*>(&addr), len) != 0
            || ::listen(listen_, 8) != 0
            || ::getsockname(listen_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
            throw std::runtime_error("test server cannot listen");
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~HttpTestServer()
    {
        stop_ = true;
        thread_.join();
        ::close(listen_);
    }

    std::string Url(const std::string& path = "/service") const
    {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    void SetReply(Reply reply)
    {
        std::lock_guard guard(lock_);
        reply_ = std::move(reply);
    }
    std::vector<Request> Requests() const
    {
        std::lock_guard guard(lock_);
        return requests_;
    }

    // A port on 127.0.0.1 that nothing listens on.
    static int ClosedPort()
    {
        int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr {};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        ::bind(fd, reinterpret_cast<sockaddr*>(&addr), len);
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
        ::close(fd);
        return ntohs(addr.sin_port);
    }

private:
    void Serve()
    {
        while (!stop_) {
            pollfd p { listen_, POLLIN, 0 };
            if (::poll(&p, 1, 50) <= 0)
                continue;
            int fd = ::accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0)
                continue;
            Handle(fd);
            ::close(fd);
        }
    }

    void Handle(int fd)
    {
        std::string data;
        char buf[4096];
        size_t headerEnd;
        while ((headerEnd = data.find("\r\n\r\n")) == std::string::npos) {
            ssize_t n = ::recv(fd, buf, sizeof buf, 0);
            if (n <= 0)
                return;
            data.append(buf, static_cast<size_t>(n));
        }
        Request request;
        std::string head = data.substr(0, headerEnd);
        size_t lineEnd = head.find("\r\n");
        std::string first = head.substr(0, lineEnd);
        size_t sp1 = first.find(' '), sp2 = first.rfind(' ');
        request.method = first.substr(0, sp1);
        request.target = first.substr(sp1 + 1, sp2 - sp1 - 1);
        for (size_t pos = lineEnd; pos != std::string::npos && pos < head.size();) {
            size_t next = head.find("\r\n", pos + 2);
            std::string line = head.substr(
                pos + 2, next == std::string::npos ? std::string::npos : next - pos - 2);
            size_t colon = line.find(':');
            if (colon != std::string::npos) {
                std::string name = line.substr(0, colon);
                std::transform(name.begin(), name.end(), name.begin(), ::tolower);
                size_t v = line.find_first_not_of(' ', colon + 1);
                request.headers[name] = v == std::string::npos ? "" : line.substr(v);
            }
            pos = next;
        }
        size_t length = 0;
        if (auto it = request.headers.find("content-length"); it != request.headers.end())
            length = std::stoul(it->second);
        request.body = data.substr(headerEnd + 4);
        while (request.body.size() < length) {
            ssize_t n = ::recv(fd, buf, sizeof buf, 0);
            if (n <= 0)
                break;
            request.body.append(buf, static_cast<size_t>(n));
        }
        Reply reply;
        {
            std::lock_guard guard(lock_);
            requests_.push_back(request);
            reply = reply_;
        }
        if (reply.hangUp)
            return;
        std::string out = "HTTP/1.1 " + std::to_string(reply.status)
            + " Test\r\nContent-Type: "
              "text/xml; charset=utf-8\r\nContent-Length: "
            + std::to_string(reply.body.size()) + "\r\nConnection: close\r\n\r\n" + reply.body;
        for (size_t sent = 0; sent < out.size();) {
            ssize_t n = ::send(fd, out.data() + sent, out.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                break;
            sent += static_cast<size_t>(n);
        }
    }

    int listen_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_ { false };
    std::thread thread_;
    mutable std::mutex lock_;
    Reply reply_;
    std::vector<Request> requests_;
};
