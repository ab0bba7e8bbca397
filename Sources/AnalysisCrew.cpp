#include "AnalysisCrew.h"

#include <algorithm>


struct AnalysisCrew::Batch {
	int32			count;
	const std::function<bool()>* admit;
	const std::function<void(int32)>* job;
	int32			next = 0;
	bool			closed = false;
	// Jobs of the batch that helpers run now.
	int32			helped = 0;
};


AnalysisCrew::AnalysisCrew(int32 threads)
	:
	fThreads(threads),
	fQuitting(false)
{
}


AnalysisCrew::~AnalysisCrew()
{
	{
		std::lock_guard<std::mutex> lock(fLock);
		fQuitting = true;
	}
	fWorkOffered.notify_all();
	for (thread_id helper : fHelpers)
		wait_for_thread(helper, NULL);
}


void
AnalysisCrew::RunAll(int32 count, const std::function<bool()>& admit,
	const std::function<void(int32)>& job)
{
	// Alone, or with one job, in order on this thread: nothing to share.
	if (fThreads <= 1 || count <= 1) {
		for (int32 i = 0; i < count && admit(); i++)
			job(i);
		return;
	}

	Batch batch;
	batch.count = count;
	batch.admit = &admit;
	batch.job = &job;
	std::unique_lock<std::mutex> lock(fLock);
	_StartHelpers();
	fBatches.push_back(&batch);
	fWorkOffered.notify_all();
	for (int32 i; (i = _Take(&batch)) >= 0;) {
		lock.unlock();
		job(i);
		lock.lock();
	}
	fJobEnded.wait(lock, [&batch] { return batch.helped == 0; });
}


int32
AnalysisCrew::CountHelpers()
{
	std::lock_guard<std::mutex> lock(fLock);
	return (int32)fHelpers.size();
}


status_t
AnalysisCrew::_HelperThread(void* data)
{
	static_cast<AnalysisCrew*>(data)->_Help();
	return B_OK;
}


void
AnalysisCrew::_Help()
{
	std::unique_lock<std::mutex> lock(fLock);
	for (;;) {
		fWorkOffered.wait(lock, [this] { return fQuitting || !fBatches.empty(); });
		if (fQuitting)
			return;
		Batch* batch = fBatches.back();
		int32 index = _Take(batch);
		if (index < 0)
			continue;
		batch->helped++;
		lock.unlock();
		(*batch->job)(index);
		lock.lock();
		if (--batch->helped == 0)
			fJobEnded.notify_all();
	}
}


int32
AnalysisCrew::_Take(Batch* batch)
{
	if (!batch->closed && (batch->next >= batch->count || !(*batch->admit)()))
		batch->closed = true;
	if (batch->closed) {
		_Forget(batch);
		return -1;
	}
	return batch->next++;
}


void
AnalysisCrew::_Forget(Batch* batch)
{
	auto found = std::find(fBatches.begin(), fBatches.end(), batch);
	if (found != fBatches.end())
		fBatches.erase(found);
}


void
AnalysisCrew::_StartHelpers()
{
	// A helper that cannot be made leaves its share to the others and the caller.
	while ((int32)fHelpers.size() < fThreads - 1) {
		thread_id helper = spawn_thread(_HelperThread, "analysis helper", B_NORMAL_PRIORITY,
			this);
		if (helper < 0)
			break;
		fHelpers.push_back(helper);
		resume_thread(helper);
	}
}
