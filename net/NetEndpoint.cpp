#include "net/NetEndpoint.h"

#include <asio/error.hpp>
#include <asio/ip/address.hpp>

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
  const std::string numeric = address == "localhost" ? "127.0.0.1" : address;
  const asio::ip::address ip = asio::ip::make_address(numeric, ec);
  if (ec) return {};
  return asio::ip::udp::endpoint(ip, number);
}

std::string SourceKey(const asio::ip::udp::endpoint& endpoint) {
  return endpoint.address().to_string() + "#" + std::to_string(endpoint.port());
}

}  // namespace netendpoint
