#include "platform/qt/QtHttp.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include "platform/Http.h"
#include "platform/Programs.h"

namespace {

QNetworkRequest RequestOf(const std::string& Url) {
    QNetworkRequest R(QUrl(QString::fromStdString(Url)));
    R.setTransferTimeout(HttpTimeoutMs);
    R.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    return R;
}

class TQtHttpRequest : public THttpRequest {
public:
    explicit TQtHttpRequest(QNetworkReply* R) : Reply(R) {}
    void Cancel() override {
        Cancelled = true;
        if (Reply) Reply->abort();
    }
    QPointer<QNetworkReply> Reply;
    bool Cancelled = false;
};

class TQtHttpClient : public THttpClient {
public:
    THttpHead Head(const std::string& Url) override {
        QNetworkReply* R = Net.head(RequestOf(Url));
        QEventLoop Loop;
        QObject::connect(R, &QNetworkReply::finished, &Loop, &QEventLoop::quit);
        Loop.exec();
        R->deleteLater();
        const QVariant Status = R->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (!Status.isValid()) throw EHttpError(R->errorString().toStdString());
        return {Status.toInt(), R->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().toStdString()};
    }

    std::shared_ptr<THttpRequest> Get(const std::string& Url, std::function<bool(const char*, size_t)> Sink,
                                      std::function<void(int64_t, int64_t)> Progress,
                                      std::function<void(const THttpOutcome&)> Done) override {
        const QUrl U(QString::fromStdString(Url));
        if (!U.isValid()) throw EHttpError("invalid address " + Url);
        QNetworkReply* R = Net.get(RequestOf(Url));
        auto Req = std::make_shared<TQtHttpRequest>(R);
        auto Out = std::make_shared<THttpOutcome>();
        std::weak_ptr<TQtHttpRequest> Weak = Req;
        QObject::connect(R, &QNetworkReply::readyRead, R, [R, Sink, Progress, Out] {
            const QByteArray Piece = R->readAll();
            if (Piece.isEmpty()) return;
            if (!Sink(Piece.constData(), size_t(Piece.size()))) {
                Out->Error = "the file could not be written";
                R->abort();
                return;
            }
            Out->Received += Piece.size();
            const QVariant Len = R->header(QNetworkRequest::ContentLengthHeader);
            Progress(Len.isValid() ? Len.toLongLong() : -1, Out->Received);
        });
        QObject::connect(R, &QNetworkReply::finished, R, [R, Sink, Done, Out, Weak] {
            const QByteArray Rest = R->readAll();
            if (!Rest.isEmpty() && Out->Error.empty()) {
                if (Sink(Rest.constData(), size_t(Rest.size())))
                    Out->Received += Rest.size();
                else
                    Out->Error = "the file could not be written";
            }
            const QVariant Status = R->attribute(QNetworkRequest::HttpStatusCodeAttribute);
            Out->Status = Status.isValid() ? Status.toInt() : 0;
            const QVariant Len = R->header(QNetworkRequest::ContentLengthHeader);
            Out->ContentLength = Len.isValid() ? Len.toLongLong() : -1;
            if (auto Q = Weak.lock()) Out->Cancelled = Q->Cancelled;
            if (R->error() != QNetworkReply::NoError && Out->Error.empty() && !Out->Cancelled)
                Out->Error = R->errorString().toStdString();
            R->deleteLater();
            Done(*Out);
        });
        return Req;
    }

private:
    QNetworkAccessManager Net;
};

}  // namespace

void InstallQtHttp() {
    MakeHttpClient = [] { return std::unique_ptr<THttpClient>(new TQtHttpClient()); };
    OpenDocument = [](const std::string& Path) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(Path)));
    };
}
