#pragma once
// The IPv4 addresses of the machine's network adapters, one per adapter (its first), in the order
// the system lists the adapters. Loopback adapters and unset addresses (text starting with '0')
// are left out.

#include <QStringList>

QStringList LocalIpv4Addresses();
