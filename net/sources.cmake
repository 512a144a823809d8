# The LAN link needs no display: standalone asio is header-only and runs in the core.
list(APPEND VELMORA_CORE_SOURCES
  net/PersoRecord.cpp
  net/RelayRegistry.cpp
  net/RateLimiter.cpp
  net/ArrivalAddress.cpp
  net/NetConsole.cpp
  net/NetPump.cpp
  net/NetEndpoint.cpp
  net/NetLink.cpp
  net/UNetwork.cpp
  net/UNetworkRelay.cpp)
list(APPEND VELMORA_GFX_SOURCES)
