#include "net/NetEndpoint.h"

#include <asio/error.hpp>
#include <asio/ip/address.hpp>

#include "net/NetPump.h"

namespace netendpoint {

std::uint16_t ParsePort(const std::string& text, bool allowZero, std::error_code& ec) {
  unsigned long value = 0;
  const bool digits = !text.empty() && text.size() <= 5 &&
                      text.find_first_not_of("0123456789") == std::string::npos;
  if (digits) value = std::stoul(text);
  if (!digits || value > 65535 || (value == 0 && !allowZero)) {
    ec = asio::error::invalid_argument;
    return 0;
  }
  return static_cast<std::uint16_t>(value);
}

asio::ip::udp::endpoint MakeEndpoint(const std::string& address, const std::string& port,
                                     bool allowZeroPort, std::error_code& ec) {
  ec.clear();
  const std::uint16_t number = ParsePort(port, allowZeroPort, ec);
  if (ec) return {};
  const asio::ip::address ip = asio::ip::make_address(address, ec);
  if (!ec) return asio::ip::udp::endpoint(ip, number);
  ec.clear();
  return Resolve(address, number, ec);
}

// Letters, digits, hyphens and dots, at most 253 of them: anything else is not a host
// name and is refused before the resolver sees it.
bool HostNameSyntax(const std::string& name) {
  return !name.empty() && name.size() <= 253 &&
         name.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                "0123456789-.") == std::string::npos;
}

// The relay listens on IPv4 only, so an IPv4 address of the name is taken first.
asio::ip::udp::endpoint Resolve(const std::string& name, std::uint16_t port,
                                std::error_code& ec) {
  ec.clear();
  if (!HostNameSyntax(name)) {
    ec = asio::error::invalid_argument;
    return {};
  }
  asio::ip::udp::resolver resolver(netpump::Context());
  const auto results = resolver.resolve(name, std::to_string(port), ec);
  if (ec) return {};
  for (const auto& entry : results) {
    if (entry.endpoint().address().is_v4()) return entry.endpoint();
  }
  if (results.empty()) {
    ec = asio::error::host_not_found;
    return {};
  }
  return results.begin()->endpoint();
}

std::string SourceKey(const asio::ip::udp::endpoint& endpoint) {
  return endpoint.address().to_string() + "#" + std::to_string(endpoint.port());
}

}  // namespace netendpoint
