#pragma once
// The account the reference host logs in with: a sample learner.

#include "HostServices.h"

#include <QString>

class TSampleAccount : public ILoginInfo, public IUserInfo
{
public:
    static constexpr qint64 kUid = 10001;

    // `photo` is the path of the learner's picture, empty for none.
    explicit TSampleAccount(QString photo = {}, int userType = 1, qint64 schoolUserId = 0)
        : m_photo(std::move(photo)),
          m_userType(userType),
          m_schoolUserId(schoolUserId)
    {
    }

    qint64 GetUid() override { return kUid; }
    int GetUserType() override { return m_userType; }
    qint64 GetSchoolUserId() override { return m_schoolUserId; }
    QString GetUserPhoto() override { return m_photo; }

private:
    QString m_photo;
    int m_userType;
    qint64 m_schoolUserId;
};
