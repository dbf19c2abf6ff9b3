#pragma once
// One folder served on 127.0.0.1 and mounted twice through a real network client, as two PCs of an
// office reach one share: Samba read through the FUSE SMB client smbnetfs (each mount with a client
// name of its own), or sshd read through sshfs with its default options. Everything is started by
// the test itself and goes with the object: mounts first, then the server.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <unistd.h>

class NetworkShare {
public:
    enum class Route { Smb, Sftp };

    explicit NetworkShare(Route route)
        : m_route(route)
    {}
    ~NetworkShare() { stop(); }
    NetworkShare(const NetworkShare&) = delete;
    NetworkShare& operator=(const NetworkShare&) = delete;

    // Empty when everything runs; otherwise why it cannot run here (for a skip).
    QString start()
    {
        if (!m_root.isValid())
            return QStringLiteral("no temporary folder");
        if (::geteuid() != 0)
            return QStringLiteral("the servers on 127.0.0.1 and the FUSE mounts need root");
        if (!QFileInfo::exists(QStringLiteral("/dev/fuse")))
            return QStringLiteral("/dev/fuse is missing");
        QDir(m_root.path()).mkpath(QStringLiteral("share"));
        makeNetwork();
        return m_route == Route::Smb ? startSmb() : startSftp();
    }

    // The shared folder as the server has it, and as each PC sees it through its mount.
    QString served() const { return m_root.filePath(QStringLiteral("share")); }
    QString pcA() const { return m_views.value(0); }
    QString pcB() const { return m_views.value(1); }

    void stop()
    {
        for (const QString& mount : std::as_const(m_mounts))
            QProcess::execute(QStringLiteral("fusermount3"), {QStringLiteral("-u"), QStringLiteral("-z"), mount});
        m_mounts.clear();
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            if (!m_server.waitForFinished(5000))
                m_server.kill();
            m_server.waitForFinished(5000);
        }
        if (!m_network.isEmpty())
            QProcess::execute(QStringLiteral("ip"), {QStringLiteral("netns"), QStringLiteral("delete"), m_network});
        m_network.clear();
    }

private:
    // The servers and the clients' own connections in a network of their own, whose 127.0.0.1 is
    // theirs alone: a Samba or ssh server of the machine's own keeps its ports, and the test's keep
    // theirs. The mounts themselves are seen by every process. Without ip and nsenter, the
    // machine's 127.0.0.1 is used.
    void makeNetwork()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("ip")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("nsenter")).isEmpty())
            return;
        const QString name = QStringLiteral("tassella-%1").arg(::getpid());
        if (QProcess::execute(QStringLiteral("ip"), {QStringLiteral("netns"), QStringLiteral("add"), name}) != 0)
            return;
        m_network = name;
        QProcess::execute(QStringLiteral("ip"),
                          {QStringLiteral("-n"), name, QStringLiteral("link"), QStringLiteral("set"),
                           QStringLiteral("lo"), QStringLiteral("up")});
    }
    // program with args, run inside that network when there is one.
    void startIn(QProcess& process, const QString& program, const QStringList& args) const
    {
        if (m_network.isEmpty()) {
            process.start(program, args);
            return;
        }
        process.start(QStringLiteral("nsenter"),
                      QStringList{QStringLiteral("--net=/run/netns/") + m_network, program} + args);
    }

    static QString need(const QString& program)
    {
        return QStandardPaths::findExecutable(program).isEmpty()
                && !QFileInfo(QStringLiteral("/usr/sbin/") + program).isExecutable()
            ? program + QStringLiteral(" is not installed")
            : QString();
    }

    static bool write(const QString& path, const QByteArray& bytes, QFile::Permissions permissions = {})
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return false;
        file.close();
        return permissions == QFile::Permissions() || QFile::setPermissions(path, permissions);
    }

    // Waits until the mount shows the server's folder.
    bool mounted(const QString& view)
    {
        for (int i = 0; i < 100; ++i) {
            if (QFileInfo::exists(view + QStringLiteral("/.pronto")))
                return true;
            QThread::msleep(100);
        }
        return false;
    }

    QString startSmb()
    {
        for (const char* program : {"smbd", "smbnetfs", "fusermount3"})
            if (const QString missing = need(QLatin1String(program)); !missing.isEmpty())
                return missing;
        const QString root = m_root.path();
        for (const char* sub : {"private", "lock", "state", "cache", "pid", "ncalrpc"})
            QDir(root).mkpath(QLatin1String(sub));
        const QString conf = root + QStringLiteral("/smb.conf");
        write(conf,
              QStringLiteral("[global]\n"
                             "server role = standalone server\n"
                             "interfaces = 127.0.0.1\n"
                             "bind interfaces only = yes\n"
                             "smb ports = 445\n"
                             "private dir = %1/private\nlock directory = %1/lock\nstate directory = %1/state\n"
                             "cache directory = %1/cache\npid directory = %1/pid\nncalrpc dir = %1/ncalrpc\n"
                             "log file = %1/smbd.log\n"
                             "map to guest = Bad User\nguest account = root\n"
                             "load printers = no\nprinting = bsd\nprintcap name = /dev/null\n"
                             "disable spoolss = yes\n"
                             "[ufficio]\npath = %1/share\nread only = no\nguest ok = yes\nforce user = root\n")
                  .arg(root)
                  .toUtf8());
        m_server.setProcessChannelMode(QProcess::MergedChannels);
        startIn(m_server, QStringLiteral("smbd"),
                {QStringLiteral("--foreground"), QStringLiteral("--debug-stdout"), QStringLiteral("-s"), conf});
        if (!m_server.waitForStarted())
            return QStringLiteral("smbd does not start");
        write(served() + QStringLiteral("/.pronto"), "ok");
        // Each PC with a home of its own: its own client name and the guest login.
        for (const char* pc : {"PCA", "PCB"}) {
            const QString home = root + QStringLiteral("/home") + QLatin1String(pc);
            QDir(home).mkpath(QStringLiteral(".smb"));
            write(home + QStringLiteral("/.smb/smb.conf"),
                  QStringLiteral("[global]\nnetbios name = %1\nclient min protocol = SMB2\n")
                      .arg(QLatin1String(pc))
                      .toUtf8());
            write(home + QStringLiteral("/.smb/smbnetfs.conf"),
                  "auth \"guest\" \"\"\nshow_hidden_hosts \"true\"\nsmb_query_browsers \"false\"\n",
                  QFile::ReadOwner | QFile::WriteOwner);
            const QString mount = root + QStringLiteral("/mnt") + QLatin1String(pc);
            QDir(root).mkpath(mount);
            QProcess client;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("HOME"), home);
            client.setProcessEnvironment(env);
            client.setWorkingDirectory(home);
            startIn(client, QStringLiteral("smbnetfs"), {mount});
            if (!client.waitForFinished(30000) || client.exitCode() != 0)
                return QStringLiteral("smbnetfs cannot mount: ")
                    + QString::fromLocal8Bit(client.readAllStandardError());
            m_mounts.append(mount);
            const QString view = mount + QStringLiteral("/127.0.0.1/ufficio");
            if (!mounted(view)) {
                const QString log = QString::fromLocal8Bit(m_server.readAll());
                return QStringLiteral("the share does not show through smbnetfs (is port 445 of 127.0.0.1 free?) ")
                    + log.right(400);
            }
            m_views.append(view);
        }
        return {};
    }

    QString startSftp()
    {
        for (const char* program : {"sshd", "sshfs", "ssh-keygen", "fusermount3"})
            if (const QString missing = need(QLatin1String(program)); !missing.isEmpty())
                return missing;
        const QString root = m_root.path();
        for (const char* key : {"hostkey", "userkey"})
            if (QProcess::execute(QStringLiteral("ssh-keygen"),
                                  {QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("ed25519"),
                                   QStringLiteral("-N"), QString(), QStringLiteral("-f"),
                                   root + QLatin1Char('/') + QLatin1String(key)})
                != 0)
                return QStringLiteral("ssh-keygen failed");
        QFile::copy(root + QStringLiteral("/userkey.pub"), root + QStringLiteral("/authorized_keys"));
        // A port of its own.
        const int port = 20000 + int(::getpid() % 20000);
        const QString conf = root + QStringLiteral("/sshd_config");
        write(conf,
              QStringLiteral("Port %2\nListenAddress 127.0.0.1\nHostKey %1/hostkey\n"
                             "AuthorizedKeysFile %1/authorized_keys\nPasswordAuthentication no\n"
                             "PermitRootLogin prohibit-password\nStrictModes no\nUsePAM no\n"
                             "Subsystem sftp internal-sftp\nPidFile %1/sshd.pid\n")
                  .arg(root)
                  .arg(port)
                  .toUtf8());
        QDir(QStringLiteral("/")).mkpath(QStringLiteral("/run/sshd"));
        const QString sshd = QFileInfo(QStringLiteral("/usr/sbin/sshd")).isExecutable()
            ? QStringLiteral("/usr/sbin/sshd")
            : QStandardPaths::findExecutable(QStringLiteral("sshd"));
        m_server.setProcessChannelMode(QProcess::MergedChannels);
        startIn(m_server, sshd, {QStringLiteral("-D"), QStringLiteral("-e"), QStringLiteral("-f"), conf});
        if (!m_server.waitForStarted())
            return QStringLiteral("sshd does not start");
        write(served() + QStringLiteral("/.pronto"), "ok");
        for (const char* pc : {"A", "B"}) {
            const QString mount = root + QStringLiteral("/mnt") + QLatin1String(pc);
            QDir(root).mkpath(mount);
            // The options an office would give: none but the way in.
            const QStringList args = {QStringLiteral("-p"),
                                      QString::number(port),
                                      QStringLiteral("-o"),
                                      QStringLiteral("IdentityFile=") + root + QStringLiteral("/userkey"),
                                      QStringLiteral("-o"),
                                      QStringLiteral("StrictHostKeyChecking=no"),
                                      QStringLiteral("-o"),
                                      QStringLiteral("UserKnownHostsFile=/dev/null"),
                                      QStringLiteral("-o"),
                                      QStringLiteral("LogLevel=ERROR"),
                                      QStringLiteral("root@127.0.0.1:") + served(),
                                      mount};
            bool up = false;
            QString why;
            for (int attempt = 0; attempt < 30 && !up; ++attempt) {
                QProcess client;
                startIn(client, QStringLiteral("sshfs"), args);
                up = client.waitForFinished(30000) && client.exitCode() == 0;
                why = QString::fromLocal8Bit(client.readAllStandardError());
                if (!up)
                    QThread::msleep(200); // sshd may still be starting
            }
            if (!up)
                return QStringLiteral("sshfs cannot mount: ") + why;
            m_mounts.append(mount);
            if (!mounted(mount))
                return QStringLiteral("the folder does not show through sshfs");
            m_views.append(mount);
        }
        return {};
    }

    Route m_route;
    QTemporaryDir m_root;
    QProcess m_server;
    QStringList m_mounts;
    QStringList m_views;
    QString m_network;
};
