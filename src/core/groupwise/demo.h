#pragma once

#include <QDate>
#include <QString>

namespace mv::gw {

class LocalSystem;

QString demoDomainName();

// Two post offices (one user ID in both), users, resources, a group, a company, an entry of
// kind 0, the client's own user, and entries of other senders in 2011 and in today's year.
void fillDemo(LocalSystem& system, const QDate& today);

} // namespace mv::gw
