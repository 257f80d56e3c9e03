#pragma once
// The logged-in account for tests, with settable values, and the user's
// profile.

#include "HostServices.h"

class FakeLoginInfo : public ILoginInfo
{
public:
    void SetUid(qint64 uid) { m_uid = uid; }
    void SetUserType(int type) { m_userType = type; }
    void SetSchoolUserId(qint64 id) { m_schoolUserId = id; }

    qint64 GetUid() override { return m_uid; }
    int GetUserType() override { return m_userType; }
    qint64 GetSchoolUserId() override { return m_schoolUserId; }

private:
    qint64 m_uid = 10001;
    int m_userType = 0;
    qint64 m_schoolUserId = 0;
};

// A user without a photo.
class FakeUserInfo : public IUserInfo
{
public:
    QString GetUserPhoto() override { return {}; }
};
